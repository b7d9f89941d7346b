// The console runner under the whole configuration: work stays bounded however aliases and execs
// fan out, long chains run to their end, start and play are told apart, and the check, the whole
// configuration and the keyboard name the same keys.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "core/ConsoleScript.h"
#include "dictionary/logic/KnownWords.h"
#include "editor/logic/ConfigCheck.h"
#include "editor/logic/EffectiveConfig.h"
#include "overview/logic/Keyboard.h"

namespace {

using brindle::editor::MemorySource;

using namespace brindle;
using editor::ChainProblem;

std::string plain(std::string_view s) { return std::string(s); }

std::size_t entriesRecorded(const editor::EffectiveConfig& c) {
  std::size_t n = c.duringPlay.size();
  for (const auto* list : {&c.variables, &c.keys, &c.aliases, &c.setinfo})
    for (const editor::EffectiveEntry& e : *list) n += e.history.size();
  return n;
}

// Twelve aliases, each running the next four times: 4^12 commands for the engine.
TEST(ConsoleRun, AliasAndExecFanOutStopAtTheBudget) {
  std::string text = "alias a12 \"sensitivity 1\"\n";
  for (int i = 11; i >= 0; --i) {
    const std::string next = "a" + std::to_string(i + 1);
    text += "alias a" + std::to_string(i) + " \"" + next + ";" + next + ";" + next + ";" + next +
            "\"\n";
  }
  text += "a0\n";
  const editor::EffectiveConfig aliases = editor::computeEffectiveOfText("config.cfg", text);
  ASSERT_EQ(aliases.problems.size(), 1u);
  const ChainProblem& p = aliases.problems.front();
  EXPECT_EQ(p.kind, ChainProblem::Kind::OverBudget);
  EXPECT_EQ(p.exec.budget, editor::ChainBudget::Commands);
  EXPECT_NE(editor::problemText(p, plain).find("предел"), std::string::npos);
  EXPECT_LT(entriesRecorded(aliases), 2 * p.exec.budgetLimit);

  // a runs b 16 times, b runs c 16 times, c runs d 16 times.
  MemorySource src;
  const auto fan = [](const std::string& target) {
    std::string t;
    for (int i = 0; i < 16; ++i) t += "exec " + target + "\r\n";
    return t;
  };
  src.files = {{"a.cfg", fan("b.cfg")}, {"b.cfg", fan("c.cfg")}, {"c.cfg", fan("d.cfg")}};
  for (int i = 0; i < 200; ++i) src.files["d.cfg"] += "cl_var" + std::to_string(i) + " 1\r\n";
  const editor::EffectiveConfig execs = editor::computeEffective(src, {"a.cfg"});
  ASSERT_EQ(execs.problems.size(), 1u);
  EXPECT_EQ(execs.problems.front().kind, ChainProblem::Kind::OverBudget);
  EXPECT_LT(entriesRecorded(execs), 2 * execs.problems.front().exec.budgetLimit);
}

// The engine has no depth limit: 50 nested files run to the end, and a file of 5,000 exec lines
// runs every one.
TEST(ConsoleRun, LongChainsRunToTheEnd) {
  MemorySource src;
  for (int i = 0; i < 50; ++i)
    src.files["f" + std::to_string(i) + ".cfg"] =
        "fps_max " + std::to_string(i) + "\r\nexec f" + std::to_string(i + 1) + ".cfg\r\n";
  src.files["f50.cfg"] = "fps_max 99\r\nbind x +jump\r\n";
  std::string many;
  for (int i = 0; i < 5000; ++i) {
    many += "exec m" + std::to_string(i) + ".cfg\r\n";
    src.files["m" + std::to_string(i) + ".cfg"] = "cl_m" + std::to_string(i) + " 1\r\n";
  }
  src.files["many.cfg"] = many;
  const editor::EffectiveConfig c = editor::computeEffective(src, {"f0.cfg", "many.cfg"});
  EXPECT_TRUE(c.problems.empty());
  ASSERT_NE(c.find(editor::EntryKind::Variable, "fps_max"), nullptr);
  EXPECT_EQ(c.find(editor::EntryKind::Variable, "fps_max")->decisive().value, "99");
  EXPECT_NE(c.find(editor::EntryKind::Key, "x"), nullptr);
  EXPECT_NE(c.find(editor::EntryKind::Variable, "cl_m4999"), nullptr);
  EXPECT_EQ(c.files.size(), 51u + 5001u);
}

// What a key reaches is play; what the start runs, through aliases and exec, is start-up.
TEST(ConsoleRun, StartAndPlayApart) {
  MemorySource src;
  src.files["config.cfg"] =
      "alias inner \"sensitivity 2\"\r\nalias setup \"inner; exec setup.cfg\"\r\nsetup\r\n"
      "bind \"[\" \"exec extra.cfg\"\r\nbind mouse1 +shoot\r\n"
      "alias +shoot \"+attack\"\r\nalias -shoot \"-attack; volume 0.3\"\r\n";
  src.files["setup.cfg"] = "gamma 3\r\n";
  src.files["extra.cfg"] = "gamma 1\r\n";
  const editor::EffectiveConfig c = editor::computeEffective(src, {"config.cfg"});
  EXPECT_EQ(c.files, (std::vector<std::string>{"config.cfg", "setup.cfg"}));
  EXPECT_EQ(c.playFiles, (std::vector<std::string>{"extra.cfg"}));
  EXPECT_FALSE(c.find(editor::EntryKind::Variable, "sensitivity")->changesDuringPlay);
  EXPECT_EQ(c.find(editor::EntryKind::Variable, "sensitivity")->decisive().via, "setup > inner");
  EXPECT_TRUE(c.find(editor::EntryKind::Variable, "gamma")->changesDuringPlay);
  // Releasing MOUSE1 runs -shoot.
  bool volume = false;
  for (const editor::RuntimeChange& r : c.duringPlay)
    volume = volume || (r.name == "volume" && r.holder == "alias -shoot");
  EXPECT_TRUE(volume);
}

// The check, the whole configuration and the keyboard agree on every key of the golden game
// directory: "P" is a key code of its own, on no keyboard, and p keeps its bind.
TEST(ConsoleRun, CheckEffectiveAndKeyboardAgreeOnKeys) {
  const core::Vocabulary vocabulary(dictionary::readKnownWords(BRINDLE_DATA_DIR "/"));
  const std::string game = BRINDLE_EFFECTIVE_GOLDEN "/keys-case/game";
  editor::DiskSource disk(game);
  editor::EffectiveOptions options;
  options.isKey = [&](std::string_view n) { return vocabulary.bindsKey(n); };
  options.isVariable = [&](std::string_view n) { return vocabulary.isVariable(n); };
  const editor::EffectiveConfig c = editor::computeEffective(
      disk, editor::gameStartFiles(disk, editor::GameRole::Client), options);
  ASSERT_NE(c.find(editor::EntryKind::Key, "P"), nullptr);
  EXPECT_EQ(c.find(editor::EntryKind::Key, "p")->decisive().value, "+use");
  const auto faces = overview::keyFaces(c);
  std::set<std::string> badInCheck;
  for (const char* file : {"config.cfg", "userconfig.cfg"}) {
    bool unreadable = false;
    const std::string_view text = *disk.read(file, &unreadable);
    const editor::CheckResult r = editor::checkInChain(text, file, disk, vocabulary, {});
    for (const editor::Problem& p : r.problems)
      if (p.kind == editor::ProblemKind::BadKeyName) {
        std::string_view word =
            text.substr(static_cast<std::size_t>(p.offset), static_cast<std::size_t>(p.length));
        if (word.size() >= 2 && word.front() == '"') word = word.substr(1, word.size() - 2);
        badInCheck.insert(core::keySpelling(word));
      }
  }
  for (const editor::EffectiveEntry& key : c.keys) {
    SCOPED_TRACE(key.name);
    const bool onKeyboard = overview::findKeyCap(key.name) != nullptr;
    EXPECT_EQ(onKeyboard, vocabulary.isEngineKey(key.name));
    EXPECT_EQ(onKeyboard, badInCheck.count(key.name) == 0);
    EXPECT_EQ(faces.count(key.name) == 1 || !onKeyboard, true);
  }
}

}  // namespace
