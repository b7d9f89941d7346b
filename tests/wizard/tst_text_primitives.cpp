// The wizard's text: the file's own line ends, the commands the game runs, what a rewrite or a
// removal touches, and the key scans of the loading pass.
#include <gtest/gtest.h>

#include <algorithm>

#include "binds/logic/KeyNames.h"
#include "wizard/logic/WizardText.h"

using namespace brindle::wizard;

namespace {

WizardTexts textsOf(std::string_view fileText) {
  WizardTexts t;
  t.working.loadFileText(fileText);
  return t;
}

}  // namespace

TEST(WizardText, KeepsTheFilesLineEndsAndItsLastBreak) {
  WizardText lf;
  lf.loadFileText("a\nbc\n");
  ASSERT_EQ(lf.size(), 2u);
  EXPECT_EQ(lf.getText(), "a\r\nbc");
  EXPECT_EQ(lf.lineOffset(1), 3);
  EXPECT_EQ(lf.lineAt(4), 1u);
  EXPECT_FALSE(lf.modified());
  lf.appendLine("d");
  EXPECT_EQ(lf.fileText(), "a\nbc\nd\n");

  WizardText noBreak;
  noBreak.loadFileText("x\r\ny");
  noBreak.insertLine(0, "unbindall");
  EXPECT_EQ(noBreak.fileText(), "unbindall\r\nx\r\ny");
  noBreak.eraseLine(1);
  EXPECT_EQ(noBreak.fileText(), "unbindall\r\ny");

  WizardText empty;
  empty.loadFileText("");
  EXPECT_TRUE(empty.empty());
  empty.appendLine("rate \"0\"");
  EXPECT_EQ(empty.fileText(), "rate \"0\"\r\n");

  // Used as an editor buffer (the MetaBind window appends this way).
  WizardText buffer({"a"});
  buffer.setText(buffer.getText() + "\r\nbind \"x\" \"+jump\"");
  EXPECT_EQ(buffer.fileText(), "a\r\nbind \"x\" \"+jump\"\r\n");
}

TEST(ConsoleCommands, SettingsAreReadInEveryFormTheGameRuns) {
  const WizardText text({
      "// sensitivity \"9\"",
      "sensitivity 2.5; hud_fastswitch\t\t1 // fast",
      "echo hi; SENSITIVITY \"3\" ;",
      "alias x \"sensitivity 7\"",
      "bind \"k\" \"sensitivity 8\"",
      "setinfo \"_ah\" \"0\"",
      "rate",
  });
  const auto commands = consoleCommands(text.text());
  const auto s = lastSetting(commands, "sensitivity");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->value().text, "3");  // the last the game applies, not the alias or bind values
  EXPECT_EQ(s->command->line, 2u);
  EXPECT_EQ(lastSetting(commands, "hud_fastswitch")->value().text, "1");
  EXPECT_EQ(lastSetinfo(commands, "_ah")->value().text, "0");
  EXPECT_FALSE(lastSetting(commands, "rate"));  // a name alone only prints the value
  EXPECT_FALSE(lastSetinfo(commands, "_AH"));
}

TEST(ConsoleCommands, ARewriteKeepsTheFormAndARemovalTheRestOfTheLine) {
  WizardText text({"sensitivity 2.5; hud_fastswitch 1 // x", "name \"Old\"",
                   "bind w +forward; adjust_crosshair"});
  auto commands = consoleCommands(text.text());
  rewriteValue(text, *lastSetting(commands, "sensitivity"), "3");
  commands = consoleCommands(text.text());
  rewriteValue(text, *lastSetting(commands, "hud_fastswitch"), "two words");
  commands = consoleCommands(text.text());
  rewriteValue(text, *lastSetting(commands, "name"), "New");
  EXPECT_EQ(text.at(0), "sensitivity 3; hud_fastswitch \"two words\" // x");
  EXPECT_EQ(text.at(1), "name \"New\"");

  commands = consoleCommands(text.text());
  removeCommand(text, commands.back());
  EXPECT_EQ(text.at(2), "bind w +forward");
  commands = consoleCommands(text.text());
  replaceCommand(text, commands.back(), "bind \"q\" \"+forward\"");
  EXPECT_EQ(text.at(2), "bind \"q\" \"+forward\"");
  commands = consoleCommands(text.text());
  removeCommand(text, commands.back());
  EXPECT_EQ(text.at(2), "");
}

// A new value never runs into the words around it, and a value that would not reach the console
// as one word unquoted gets quotes; after the rewrite the line tokenizes to the same commands with
// the new value. A line that cannot keep its other commands is left alone.
TEST(ConsoleCommands, ARewrittenValueStaysOneWordApartFromItsNeighbours) {
  struct Case {
    const char* line;
    const char* name;
    const char* value;
    const char* expected;  // null: refused, the line unchanged
  };
  const Case cases[] = {
      {"sensitivity:2", "sensitivity", "3", "sensitivity 3 2"},
      {"sensitivity :1", "sensitivity", "1", "sensitivity 1 1"},
      {"sensitivity 2:", "sensitivity", "3", "sensitivity 3:"},
      {"\"sensitivity\"2", "sensitivity", "3", "\"sensitivity\"3"},
      {"\"sensitivity\"\"2\"x", "sensitivity", "3", "\"sensitivity\"\"3\"x"},
      {"name \"a\"b", "name", "New", "name \"New\"b"},
      {"name a\"b\"", "name", "New", "name New"},
      {"name Player // me", "name", "//x", "name \"//x\" // me"},
      {"name Player", "name", "a;b", "name \"a;b\""},
      {"name Player", "name", "a\tb", "name \"a\tb\""},
      {"name Player", "name", "x:y", "name \"x:y\""},
      {"name Player", "name", "", "name \"\""},
      {"name x\"y; sensitivity 5", "name", "New", "name New sensitivity 5"},
      // The quote kept "z;w" one word; without it the ';' would end the command.
      {"name x\"y z;w", "name", "New", nullptr},
  };
  for (const Case& c : cases) {
    WizardText text({c.line});
    const auto commands = consoleCommands(text.text());
    const auto setting = lastSetting(commands, c.name);
    ASSERT_TRUE(setting) << c.line;
    const bool written = rewriteValue(text, *setting, c.value);
    EXPECT_EQ(written, c.expected != nullptr) << c.line;
    EXPECT_EQ(text.at(0), c.expected ? c.expected : c.line) << c.line;
    if (!c.expected) continue;
    const auto reread = consoleCommands(text.text());
    const auto after = lastSetting(reread, c.name);
    ASSERT_TRUE(after) << text.at(0);
    EXPECT_EQ(after->value().text, c.value) << text.at(0);
  }
  // A command replaced before a comment glued to its last quoted word keeps the comment apart.
  WizardText radar({"\"drawradar\"// on"});
  EXPECT_TRUE(replaceCommand(radar, consoleCommands(radar.text()).front(), "hideradar"));
  EXPECT_EQ(radar.at(0), "hideradar // on");
}

TEST(ReadBoundKey, TakesTheFirstBindWithAKey) {
  WizardTexts t = textsOf(
      "bind \"\" \"+jump\"\r\n"
      "bind \"SPACE\" \"+jump\"\r\n"
      "bind \"w\" \"+forward\"\r\n"
      "\" \"+back\"\r\n");
  EXPECT_EQ(t.readBoundKey("\" \"+jump\""), "SPACE");
  EXPECT_EQ(t.readBoundKey("\" \"+forward\""), "w");
  // No quote before the suffix on its own line: no key, and never one from the line above.
  EXPECT_EQ(t.readBoundKey("\" \"+back\""), "");
}

TEST(CollectUsedKeys, MovesKnownKeysOnceAsTheFileWritesThem) {
  WizardTexts t = textsOf(
      "bind \"W\" \"+forward\"\r\n"
      "bind \"w\" \"+jump\"\r\n"
      "bind \"mouse1\" \"+attack\"; bind \"NOSUCHKEY\" \"x\"\r\n"
      "bind \"x");
  std::vector<std::string> freeKeys(brindle::binds::kKeyNames.begin(),
                                    brindle::binds::kKeyNames.end());
  std::vector<std::string> used;
  t.collectUsedKeys("bind \"", freeKeys, used);
  EXPECT_EQ(used, (std::vector<std::string>{"W", "mouse1", "x"}));
  EXPECT_EQ(freeKeys.size(), brindle::binds::kKeyCount - 3);
  for (const char* k : {"w", "MOUSE1", "x"})
    EXPECT_EQ(std::count(freeKeys.begin(), freeKeys.end(), k), 0) << k;
}
