// Key assignment on the working text: golden cases of assignments and reassignments (answered
// Yes and No) and of buy scripts written on free and used keys, in autoexec mode too.
//
// tests/wizard/golden_keys/<case>/: input.cfg, steps.txt ("assign BUTTON KEY [yes|no]" a line,
// the answer given only where the reassignment question must be asked), expected.cfg.
// tests/wizard/golden_buy/<case>/ with an input.cfg: the choice of choice.ini (used=1: the key
// comes from the used-keys list; autoexec=1: the game's config.cfg, with input-autoexec.cfg and
// expected-autoexec.cfg) written by BIND.
// Both may hold expected-keys.txt: "used K1 K2 ..." (the used-keys list in order), "free-last K"
// (the last free key) and "BUTTON KEY" for every action that shows a key.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "binds/logic/KeyNames.h"
#include "core/Cp1251.h"
#include "core/FileIO.h"
#include "support/GoldenBuy.h"
#include "wizard/logic/KeyAssignment.h"
#include "wizard/logic/LoadingPass.h"
#include "wizard/logic/WizardText.h"

using namespace brindle;
using namespace brindle::wizard;

namespace {

std::string read(const std::string& path) {
  const auto r = core::readFile(path);
  return r.ok ? r.data : std::string();
}

std::size_t actionIndex(std::string_view button) {
  const KeyAction* a = findKeyAction(button);
  EXPECT_NE(a, nullptr) << button;
  return a == nullptr ? 0 : static_cast<std::size_t>(a - kKeyActions.data());
}

KeyState loaded(WizardTexts& texts) {
  KeyState state;
  takeKeyLists(state, runLoadingPass(texts, actionCommands(), false));
  return state;
}

std::string joined(const std::vector<std::string>& keys) {
  std::string s;
  for (const auto& k : keys) s += (s.empty() ? "" : " ") + k;
  return s;
}

// The lists hold every key of the key list once, in some letter case.
void expectListsComplete(const KeyState& state) {
  for (std::string_view k : binds::kKeyNames) {
    const auto in = [&](const std::vector<std::string>& v) {
      return std::count_if(v.begin(), v.end(),
                           [&](const std::string& e) { return core::equalsNoCase(e, k); });
    };
    EXPECT_EQ(in(state.freeKeys) + in(state.usedKeys), 1) << k;
  }
}

void expectKeys(const std::string& dir, const KeyState& state) {
  std::ifstream in(dir + "/expected-keys.txt");
  if (!in) return;
  std::array<std::string, kKeyActionCount> captions{};
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string first;
    words >> first;
    std::string rest;
    std::getline(words, rest);
    if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
    if (first == "used")
      EXPECT_EQ(joined(state.usedKeys), rest);
    else if (first == "free-last")
      EXPECT_EQ(state.freeKeys.empty() ? "" : state.freeKeys.back(), rest);
    else if (!first.empty())
      captions[actionIndex(first)] = rest;
  }
  for (std::size_t i = 0; i < kKeyActionCount; ++i)
    EXPECT_EQ(state.captions[i], captions[i]) << kKeyActions[i].button;
}

std::vector<std::string> caseDirs(const std::string& root) {
  std::vector<std::string> dirs;
  for (const auto& e : std::filesystem::directory_iterator(root))
    if (e.is_directory()) dirs.push_back(e.path().string());
  std::sort(dirs.begin(), dirs.end());
  return dirs;
}

TEST(KeyAssignmentGolden, AssignmentsAndReassignments) {
  const auto dirs = caseDirs(std::string(BRINDLE_SOURCE_DIR) + "/tests/wizard/golden_keys");
  ASSERT_GE(dirs.size(), 8u);
  for (const std::string& dir : dirs) {
    SCOPED_TRACE(dir);
    WizardTexts texts;
    texts.working.loadFileText(read(dir + "/input.cfg"));
    KeyState state = loaded(texts);
    std::ifstream steps(dir + "/steps.txt");
    std::string verb, button, key, answer;
    std::string line;
    while (std::getline(steps, line)) {
      std::istringstream words(line);
      answer.clear();
      words >> verb >> button >> key >> answer;
      ASSERT_EQ(verb, "assign");
      const std::size_t action = actionIndex(button);
      bool asked = false;
      const bool taken = checkKeyChoice(texts, state, action, key, [&] {
        asked = true;
        return answer == "yes";
      });
      EXPECT_EQ(asked, !answer.empty()) << line;
      if (taken) assignKey(texts, state, action, key);
    }
    EXPECT_EQ(texts.working.fileText(), read(dir + "/expected.cfg"));
    expectKeys(dir, state);
    expectListsComplete(state);
    // The captions kept in step agree with what a fresh load of the text finds.
    WizardTexts again;
    again.working.loadFileText(texts.working.fileText());
    const KeyState fresh = loaded(again);
    EXPECT_EQ(fresh.captions, state.captions);
    EXPECT_EQ(fresh.unbindallPresent, state.unbindallPresent);
  }
}

TEST(KeyAssignmentGolden, BuyScriptsOnFreeAndUsedKeys) {
  int textCases = 0;
  for (const auto& c : test::loadGoldenBuyCases()) {
    if (!std::filesystem::exists(c.dir + "/input.cfg")) continue;
    SCOPED_TRACE(c.name);
    ++textCases;
    const bool used = c.values.count("used") != 0;
    const bool autoexec = c.values.count("autoexec") != 0;
    WizardTexts texts;
    texts.working.loadFileText(read(c.dir + "/input.cfg"));
    if (autoexec) texts.autoexec.loadFileText(read(c.dir + "/input-autoexec.cfg"));
    KeyState state = loaded(texts);
    // The key is one the page offers in that list.
    const auto& list = used ? state.usedKeys : state.freeKeys;
    ASSERT_NE(std::find(list.begin(), list.end(), c.key), list.end()) << c.key;

    writeBuyScript(texts, state, c.key, used, buildScriptParts(c.choice, c.mode), autoexec);
    EXPECT_EQ(texts.working.fileText(), read(c.dir + "/expected.cfg"));
    EXPECT_EQ(texts.autoexec.fileText(),
              autoexec ? read(c.dir + "/expected-autoexec.cfg") : std::string());
    expectKeys(c.dir, state);
    expectListsComplete(state);
  }
  EXPECT_GE(textCases, 7);
}

TEST(KeyAssignment, UnbindallCountsOnlyAsALineOfItsOwn) {
  WizardTexts texts;
  texts.working.loadFileText("unbindall // all keys\r\n");
  KeyState state = loaded(texts);
  EXPECT_FALSE(state.unbindallPresent);
  assignKey(texts, state, actionIndex("Button4"), "w");
  EXPECT_EQ(texts.working.fileText(),
            "unbindall\r\nunbindall // all keys\r\nbind \"w\" \"+forward\"\r\n");
  assignKey(texts, state, actionIndex("Button5"), "a");
  EXPECT_EQ(texts.working.at(0), "unbindall");
  EXPECT_NE(texts.working.at(1), "unbindall");
}

TEST(KeyAssignment, RemovalPassesRunThroughThePassSwitch) {
  WizardTexts texts;
  texts.working.loadFileText(
      "alias \"Kav-x\" \"ak47;\"\r\nbind \"x\" \"Kav-x\"\r\nbind \"X\" \"+duck\"\r\n"
      "bind \"SPACE\" \"+jump\"\r\n");
  PassRequest r;
  r.mode = PassMode::ReassignedKey;
  r.key = "x";
  r.previousKey = "SPACE";
  const LoadingResult none = runPass(texts, r);
  EXPECT_TRUE(none.usedKeys.empty());
  // Every bind of the key goes, in any letter case: the key is free for its new use.
  EXPECT_EQ(texts.working.fileText(), "");

  texts.working.loadFileText("bind \"F1\" \"+jump\"\r\nbind \"f1\" \"Kav-F1\"\r\n");
  texts.autoexec.loadFileText("alias \"Kav-F1\" \"\"\r\nexec x.cfg\r\n");
  r.mode = PassMode::BuyKeyRemoval;
  r.key = "F1";
  r.autoexecMode = true;
  runPass(texts, r);
  EXPECT_EQ(texts.working.fileText(), "");
  EXPECT_EQ(texts.autoexec.fileText(), "exec x.cfg\r\n");
}

// In autoexec mode what a MetaBind defines goes to autoexec.cfg, which the game does not rewrite;
// its binds stay in config.cfg.
TEST(KeyAssignment, MetaBindAliasesMoveToTheAutoexecText) {
  WizardTexts texts;
  texts.working.loadFileText("alias \"mine\" \"x\"\r\nbind \"q\" \"mine\"\r\n");
  texts.autoexec.loadFileText("exec userconfig.cfg\r\n");
  texts.working.appendLine("alias \"+mb\" \"+jump\"; alias \"-mb\" \"-jump\"");
  texts.working.appendLine("bind \"F5\" \"+mb\"");
  EXPECT_EQ(moveAliasesToAutoexec(texts, 2), 2u);
  EXPECT_EQ(texts.working.fileText(),
            "alias \"mine\" \"x\"\r\nbind \"q\" \"mine\"\r\nbind \"F5\" \"+mb\"\r\n");
  EXPECT_EQ(texts.autoexec.fileText(),
            "exec userconfig.cfg\r\nalias \"+mb\" \"+jump\"\r\nalias \"-mb\" \"-jump\"\r\n");
}

TEST(KeyAssignment, AReassignedKeyWithoutPreviousKeyKeepsUnrelatedEmptyBinds) {
  WizardTexts texts;
  texts.working.loadFileText("bind \"\" \"+attack\"\r\nbind \"q\" \"+use\"\r\n");
  removeReassignedKey(texts, "q", "");
  EXPECT_EQ(texts.working.fileText(), "bind \"\" \"+attack\"\r\n");
}

}  // namespace
