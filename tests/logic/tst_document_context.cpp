// One file, one context: the editor (an absolute path) and brindle-cli (a path as the user
// types it: relative, through a link, with "..") find the same game directory, the same path in
// it and the same kind; the folders above the game directory say nothing about the kind.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/ConsoleScript.h"
#include "dictionary/logic/KnownWords.h"
#include "editor/logic/DocumentContext.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

using namespace brindle;
using editor::ConfigKind;
using test::TempDir;
namespace fs = std::filesystem;

namespace {

const core::Vocabulary& vocabulary() {
  static const core::Vocabulary v(dictionary::readKnownWords(BRINDLE_DATA_DIR "/"));
  return v;
}

// A player's files in a game that lies below a folder named addons: the kind must come from
// the game directory down. my.cfg has one bot variable among the client's; it runs a file of
// the game directory, so a wrong game directory shows as a missing file.
struct PlayerGame {
  TempDir dir;
  std::string game = dir.file("addons/Half-Life/cstrike");
  PlayerGame() {
    dir.write("addons/Half-Life/cstrike/config.cfg", "sensitivity 2\r\nbind w +forward\r\n");
    dir.write("addons/Half-Life/cstrike/cfg/my.cfg",
              "sensitivity 2.5\r\ncl_cmdrate 101\r\nrate 25000\r\nbot_quota 1\r\n"
              "exec cfg/other.cfg\r\n");
    dir.write("addons/Half-Life/cstrike/cfg/other.cfg", "fps_max 100\r\n");
#ifndef _WIN32
    fs::create_directory_symlink(dir.file("addons/Half-Life"), dir.file("hl-link"));
#endif
  }
};

bool sameDir(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec);
}

}  // namespace

TEST(DocumentContext, EditorAndCommandLineAgreeHoweverTheFileIsNamed) {
  PlayerGame g;
  const std::string text = "sensitivity 2.5\r\ncl_cmdrate 101\r\nrate 25000\r\nbot_quota 1\r\n";
  const std::string absolute = g.game + "/cfg/my.cfg";
  std::vector<std::string> paths = {absolute, g.game + "/cfg/../cfg/./my.cfg"};
#ifndef _WIN32
  paths.push_back(g.dir.file("hl-link/cstrike/cfg/my.cfg"));
#endif
  for (const std::string& path : paths) {
    const editor::DocumentContext c = editor::documentContext(path, text, &vocabulary());
    EXPECT_TRUE(sameDir(c.gameDir, g.game)) << path << " -> " << c.gameDir;
    EXPECT_TRUE(c.gameDirKnown && c.insideGame) << path;
    EXPECT_EQ(c.relPath, "cfg/my.cfg") << path;
    EXPECT_EQ(c.kind, ConfigKind::Player) << path;
  }
  // config.cfg is the player's although a folder above the game is named addons.
  EXPECT_EQ(editor::documentContext(g.game + "/config.cfg", "", &vocabulary()).kind,
            ConfigKind::Player);
  // The program's chosen directory may be the game's folder that holds cstrike/.
  editor::ContextRequest chosen;
  chosen.chosenGameDir = g.dir.file("addons/Half-Life");
  chosen.forceChosen = true;
  const editor::DocumentContext viaHolder =
      editor::documentContext(absolute, text, nullptr, chosen);
  EXPECT_TRUE(sameDir(viaHolder.gameDir, g.game));
  EXPECT_EQ(viaHolder.relPath, "cfg/my.cfg");

#ifndef _WIN32
  // The command line from the editor's absolute path, from a relative one, through the link and
  // with "..", with --game as the game's folder: one output, the player's judgement (the bot
  // variable is the one finding) and no missing file.
  const std::string cli = BRINDLE_CLI;
  const test::CommandResult fromAbsolute = test::runCommand(cli + " check " + absolute);
  EXPECT_EQ(fromAbsolute.status, 0) << fromAbsolute.err;
  EXPECT_NE(fromAbsolute.out.find("my.cfg:4:1: предупреждение: «bot_quota»"), std::string::npos)
      << fromAbsolute.out;
  EXPECT_EQ(fromAbsolute.out.find("other.cfg"), std::string::npos) << fromAbsolute.out;
  const auto findings = [](const std::string& out) { return out.substr(out.find("my.cfg:")); };
  for (const std::string& line :
       {"cd " + g.game + " && " + cli + " check cfg/my.cfg",
        "cd " + g.dir.path() + " && " + cli + " check hl-link/cstrike/cfg/../cfg/my.cfg",
        "cd " + g.game + "/cfg && " + cli + " check --game " + g.dir.file("addons/Half-Life") +
            " my.cfg"}) {
    const test::CommandResult r = test::runShell(line);
    EXPECT_EQ(r.status, 0) << line << "\n" << r.err;
    EXPECT_EQ(findings(r.out), findings(fromAbsolute.out)) << line;
  }
  // gamedir prints the context the check used.
  EXPECT_EQ(test::runCommand(cli + " gamedir " + absolute).out,
            absolute + "\t" + g.game + "\tcfg/my.cfg\tplayer\n");
#endif
}

TEST(DocumentContext, TheGameDirectoryByPlaceThenByChoice) {
  TempDir dir;
  dir.write("mods/mymod/a.cfg", "sensitivity 2\r\n");
  dir.write("mods/mymod/cfg/b.cfg", "sensitivity 2\r\n");
  dir.write("loose/c.cfg", "sensitivity 2\r\n");
  dir.write("Half-Life/CStrike/config.cfg", "");
  dir.write("Half-Life/valve/liblist.gam", "game \"Half-Life\"\r\n");
  // The folder holding the mod folder is resolved to it; a mod folder stays as it is.
  EXPECT_TRUE(
      sameDir(editor::resolveGameDir(dir.file("Half-Life")), dir.file("Half-Life/CStrike")));
  EXPECT_TRUE(
      sameDir(editor::resolveGameDir(dir.file("Half-Life/valve")), dir.file("Half-Life/valve")));
  EXPECT_EQ(editor::resolveGameDir(""), "");

  // Nothing around the file names a game: its own folder, not known.
  const editor::DocumentContext loose = editor::locateDocument(dir.file("loose/c.cfg"));
  EXPECT_FALSE(loose.gameDirKnown);
  EXPECT_TRUE(sameDir(loose.gameDir, dir.file("loose")));
  EXPECT_EQ(loose.relPath, "c.cfg");
  // The user's chosen directory counts for a file inside it.
  editor::ContextRequest mod;
  mod.chosenGameDir = dir.file("mods/mymod");
  const editor::DocumentContext inMod =
      editor::locateDocument(dir.file("mods/mymod/cfg/b.cfg"), mod);
  EXPECT_TRUE(inMod.gameDirKnown);
  EXPECT_EQ(inMod.relPath, "cfg/b.cfg");
  EXPECT_FALSE(editor::locateDocument(dir.file("loose/c.cfg"), mod).gameDirKnown);
  // --game holds any file for its game directory: the file counts by its name.
  mod.forceChosen = true;
  const editor::DocumentContext forced = editor::locateDocument(dir.file("loose/c.cfg"), mod);
  EXPECT_TRUE(forced.gameDirKnown);
  EXPECT_FALSE(forced.insideGame);
  EXPECT_EQ(forced.relPath, "c.cfg");
  // A document without a file has no place; the user's kind stands.
  mod.kind = ConfigKind::Server;
  const editor::DocumentContext untitled =
      editor::documentContext("", "bind w +forward", nullptr, mod);
  EXPECT_TRUE(untitled.gameDir.empty());
  EXPECT_EQ(untitled.kind, ConfigKind::Server);
  EXPECT_FALSE(untitled.kindGuessed);
}

TEST(FileKind, WhatTheFileDoesDecidesTheNameOnlyHints) {
  const core::Vocabulary& v = vocabulary();
  const std::string player =
      "sensitivity 2\r\ncl_cmdrate 101\r\nhud_fastswitch 1\r\nbind w +forward\r\n";
  const std::string server =
      "hostname \"x\"\r\nmp_timelimit 20\r\nsv_gravity 800\r\nmp_freezetime 3\r\nsv_alltalk 0\r\n";
  // One server word is no evidence; a player's file with a bot variable stays a player's.
  EXPECT_EQ(editor::guessConfigKind("bots_and_me.cfg", player + "bot_quota 1\r\n", &v),
            ConfigKind::Player);
  EXPECT_EQ(editor::guessConfigKind("x.cfg", "sv_cheats 1\r\n", &v), ConfigKind::Player);
  EXPECT_EQ(editor::guessConfigKind("x.cfg", server, &v), ConfigKind::Server);
  // The name weighs, but a file whose every line says otherwise is what it says.
  EXPECT_EQ(editor::guessConfigKind("server.cfg", "bind w +forward\r\n", &v), ConfigKind::Server);
  EXPECT_EQ(editor::guessConfigKind("config.cfg", "sv_cheats 1\r\nmp_timelimit 2\r\n", &v),
            ConfigKind::Player);
  EXPECT_EQ(editor::guessConfigKind("config.cfg", server + server, &v), ConfigKind::Server);
  // An add-on's words: AMX Mod X's, or unknown words of one prefix no stock word has.
  EXPECT_EQ(editor::guessConfigKind("x.cfg", "amx_vote_ratio 0.5\r\namx_vote_time 10\r\n", &v),
            ConfigKind::Plugin);
  EXPECT_EQ(editor::guessConfigKind("x.cfg", "zzq_a 1\r\nzzq_b 2\r\nzzq_c 3\r\nmp_x 1\r\n", &v),
            ConfigKind::Plugin);
  // Unknown words of many prefixes (a client build's own variables) are no add-on's.
  EXPECT_EQ(editor::guessConfigKind("config.cfg",
                                    player + "aaa_x 1\r\nbbb_x 1\r\nccc_x 1\r\nddd_x 1\r\n", &v),
            ConfigKind::Player);
  EXPECT_EQ(editor::guessConfigKind("addons/amxmodx/configs/x.cfg", "", &v), ConfigKind::Plugin);
}
