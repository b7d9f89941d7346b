// The exec chain over a game directory on disk and in memory: order, the engine's name rules,
// missing files, loops, letter case, and the start order of the game.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/FileIO.h"
#include "editor/logic/ConfigCheck.h"
#include "editor/logic/DocumentContext.h"
#include "editor/logic/ExecChain.h"
#include "editor/logic/FileKind.h"
#include "support/TempDir.h"

using namespace brindle;
using namespace brindle::editor;

namespace {

using editor::MemorySource;

// Writes down what the walk hands out: "> file", "file: command", "missing ...", "< file".
class Recorder : public ChainVisitor {
 public:
  std::vector<std::string> events;
  void enterFile(const ChainFile& f) override {
    events.push_back("> " + f.path + (f.conditional ? " (key)" : ""));
  }
  void command(const ChainFile& f, std::string_view script, const core::ScriptCommand& c) override {
    if (c.depth == 0 && !c.empty())
      events.push_back(f.path + ": " +
                       std::string(script.substr(
                           static_cast<std::size_t>(c.words[0].start),
                           static_cast<std::size_t>(c.words.back().end() - c.words[0].start))));
  }
  void missingFile(const ChainFile& f, const ExecLine& e, ExecTrouble t, bool quiet) override {
    static const char* names[] = {"missing", "unreadable", "not-config", "bad-path",
                                  "usage",   "loop",       "too-deep"};
    events.push_back(std::string(names[static_cast<int>(t)]) + (quiet ? " quiet " : " ") +
                     e.target + " in " + f.path);
  }
  void loop(const ChainFile& f, const ExecLine& e, ExecTrouble t) override {
    events.push_back(std::string(t == ExecTrouble::Loop ? "loop " : "too-deep ") + e.target +
                     " in " + f.path);
  }
  void leaveFile(const ChainFile& f) override { events.push_back("< " + f.path); }
};

using Events = std::vector<std::string>;

}  // namespace

TEST(ExecChain, FollowsExecDepthFirstWithTheEnginesNameRules) {
  MemorySource src;
  src.files["config.cfg"] = "a 1\nexec userconfig.cfg\nb 2";
  src.files["userconfig.cfg"] =
      "\xEF\xBB\xBF"
      "c 3\r\nexec Sub/One.CFG; exec sub/one";
  src.files["sub/one.cfg"] = "d 4";
  Recorder r;
  walkChain(src, {"config.cfg"}, r);
  EXPECT_EQ(r.events,
            (Events{"> config.cfg", "config.cfg: a 1", "config.cfg: exec userconfig.cfg",
                    "> userconfig.cfg", "userconfig.cfg: c 3", "userconfig.cfg: exec Sub/One.CFG",
                    "> Sub/One.CFG", "Sub/One.CFG: d 4", "< Sub/One.CFG",
                    "userconfig.cfg: exec sub/one", "not-config sub/one in userconfig.cfg",
                    "< userconfig.cfg", "config.cfg: b 2", "< config.cfg"}));

  // "c:/x.cfg" is three words to the console: ':' is a word of its own.
  MemorySource bad;
  bad.files["a.cfg"] =
      "exec ..\\x.cfg\nexec c:/x.cfg\nexec /x.cfg\nexec a.cfg b.cfg\nexec\nexec gone.cfg\n"
      "exec autoexec.cfg\nexec a.cfg\nalias k \"exec a.cfg\"\nbind F1 \"exec keys.cfg\"";
  bad.files["keys.cfg"] = "exec keys.cfg\nexec a.cfg";
  Recorder r2;
  walkChain(bad, {"a.cfg", "missing-start.cfg"}, r2);
  EXPECT_EQ(r2.events, (Events{"> a.cfg",
                               "a.cfg: exec ..\\x.cfg",
                               "bad-path ..\\x.cfg in a.cfg",
                               "a.cfg: exec c:/x.cfg",
                               "usage  in a.cfg",
                               "a.cfg: exec /x.cfg",
                               "bad-path /x.cfg in a.cfg",
                               "a.cfg: exec a.cfg b.cfg",
                               "usage  in a.cfg",
                               "a.cfg: exec",
                               "usage  in a.cfg",
                               "a.cfg: exec gone.cfg",
                               "missing gone.cfg in a.cfg",
                               "a.cfg: exec autoexec.cfg",
                               "missing quiet autoexec.cfg in a.cfg",
                               "a.cfg: exec a.cfg",
                               "loop a.cfg in a.cfg",
                               "a.cfg: alias k \"exec a.cfg\"",
                               "a.cfg: bind F1 \"exec keys.cfg\"",
                               "> keys.cfg (key)",
                               "keys.cfg: exec keys.cfg",
                               "keys.cfg: exec a.cfg",
                               "< keys.cfg",
                               "< a.cfg"}));
}

TEST(ExecChain, FollowsLongChainsAndFindsFilesOnDiskWithoutRegardToCase) {
  // The engine has no depth limit: a chain of 500 nested files runs to its end.
  MemorySource deep;
  for (int i = 0; i < 500; ++i)
    deep.files["f" + std::to_string(i) + ".cfg"] = "exec f" + std::to_string(i + 1) + ".cfg";
  deep.files["f500.cfg"] = "fps_max 99";
  Recorder r;
  walkChain(deep, {"f0.cfg"}, r);
  EXPECT_NE(std::find(r.events.begin(), r.events.end(), "f500.cfg: fps_max 99"), r.events.end());
  EXPECT_EQ(std::count_if(r.events.begin(), r.events.end(),
                          [](const std::string& e) { return e.rfind("too-deep", 0) == 0; }),
            0);

  test::TempDir dir;
  const std::string game = dir.file("cstrike");
  dir.write("cstrike/CFG/Bind.Cfg", "x 1");
  dir.write("cstrike/liblist.gam", "game \"cs\"");
  std::filesystem::create_directories(core::pathFromUtf8(game + "/CFG/dir.cfg"));
  dir.write("cstrike/server.cfg", "exec cfg/bind.cfg\nexec cfg/dir.cfg");
  DiskSource disk(game);
  Recorder r2;
  walkChain(disk, gameStartFiles(disk, GameRole::DedicatedServer), r2);
  EXPECT_EQ(r2.events,
            (Events{"> server.cfg", "server.cfg: exec cfg/bind.cfg", "> cfg/bind.cfg",
                    "cfg/bind.cfg: x 1", "< cfg/bind.cfg", "server.cfg: exec cfg/dir.cfg",
                    "unreadable cfg/dir.cfg in server.cfg", "< server.cfg"}));

  EXPECT_EQ(findGameDir(game + "/CFG/Bind.Cfg"), game);
  EXPECT_EQ(relativeToGame(game, game + "/CFG/Bind.Cfg"), "CFG/Bind.Cfg");
  EXPECT_EQ(findGameDir(dir.file("x.cfg")), dir.path());

  // The client's start order; valve.rc replaces autoexec.cfg when the directory has one.
  MemorySource client;
  EXPECT_EQ(gameStartFiles(client, GameRole::Client), (Events{"autoexec.cfg", "config.cfg"}));
  client.files["valve.rc"] = "exec config.cfg";
  EXPECT_EQ(gameStartFiles(client, GameRole::ListenServer),
            (Events{"valve.rc", "config.cfg", "game_init.cfg", "game.cfg", "listenserver.cfg"}));
}

TEST(ExecChain, TheChecksKnowTheChainsAliasesAndReportTheTextsExecs) {
  core::KnownWords w;
  w.commands = {"bind", "alias", "exec", "+voicerecord", "-voicerecord"};
  w.keyNames = {"v"};
  const core::Vocabulary v(w);
  MemorySource src;
  // The game runs config.cfg at start, which runs userconfig.cfg.
  src.files["config.cfg"] = "exec userconfig.cfg\r\n";
  src.files["userconfig.cfg"] = "alias +vs +voicerecord\r\nalias -vs -voicerecord\r\n";
  src.files["b.cfg"] = "exec autoexec.cfg";
  src.files["autoexec.cfg"] = "on disk, not checked";
  const std::string text =
      "bind v +vs\r\nexec nothere.cfg\r\nexec b.cfg\r\nexec autoexec\r\nexec game.cfg\r\n+vs";
  std::vector<std::string> out;
  for (const Problem& p : checkInChain(text, "autoexec.cfg", src, v, CheckOptions{}).problems)
    out.push_back(std::to_string(p.line) + ":" + std::to_string(p.column) + " " +
                  std::string(problemKindName(p.kind)));
  // game.cfg is one of the files the game looks for without a word.
  EXPECT_EQ(out, (Events{"2:6 exec-failed", "3:6 exec-failed", "4:6 exec-failed"}));
}

TEST(FileKind, ByNameAndFolderElseByWhatTheFileSets) {
  core::KnownWords w;
  w.base = {{"sv_restart", false, true, "game", core::WordSide::Server, {}},
            {"cl_bob", false, true, "client", core::WordSide::Client, {}},
            {"amx_mode", false, true, "amxmodx", core::WordSide::Server, {}}};
  const core::Vocabulary v(w);
  const std::string server = "mp_startmoney 800\nsv_restart 1\nwt800;wt800\nwait;wait;wait\nsay x";
  EXPECT_EQ(guessConfigKind("cstrike/config.cfg", server, &v), ConfigKind::Player);
  EXPECT_EQ(guessConfigKind("cstrike/listenserver.cfg", "", &v), ConfigKind::Server);
  EXPECT_EQ(guessConfigKind("Addons/AMXModX/configs/x.cfg", "", &v), ConfigKind::Plugin);
  EXPECT_EQ(guessConfigKind("cstrike\\amxx.cfg", "", &v), ConfigKind::Plugin);
  EXPECT_EQ(guessConfigKind("k.cfg", server, &v), ConfigKind::Server);
  EXPECT_EQ(guessConfigKind("", "bind a +jump\ncl_bob 0\nsv_restart 1", &v), ConfigKind::Player);
  EXPECT_EQ(guessConfigKind("", "csdm_active 1\ncsdm_x 2\nsv_restart 1", &v), ConfigKind::Plugin);
  EXPECT_EQ(guessConfigKind("", "amx_mode 1\namx_x 2", &v), ConfigKind::Plugin);
  EXPECT_EQ(guessConfigKind("", "", nullptr), ConfigKind::Player);
  EXPECT_EQ(configKindFromName("server"), ConfigKind::Server);
  EXPECT_EQ(configKindFromName("admin"), std::nullopt);
}
