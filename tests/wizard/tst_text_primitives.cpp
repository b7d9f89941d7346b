// The wizard's texts and primitives: where a setting is found, what a rewrite touches, and the key
// scans of the loading pass.
#include <gtest/gtest.h>

#include "binds/logic/KeyNames.h"
#include "wizard/logic/WizardText.h"

using brindle::wizard::radioChoice;
using brindle::wizard::WizardText;
using brindle::wizard::WizardTexts;

namespace {

WizardTexts textsOf(std::string_view fileText) {
  WizardTexts t;
  t.working.loadFileText(fileText);
  return t;
}

std::string fileOf(const WizardTexts& t) { return t.working.fileText(); }

}  // namespace

TEST(WizardText, FileLinesRoundTripAndOffsetsCountBreaksAsTwo) {
  WizardText text;
  text.loadFileText("a\r\nbc\nd");
  ASSERT_EQ(text.size(), 3u);
  EXPECT_EQ(text.fileText(), "a\r\nbc\r\nd\r\n");
  EXPECT_EQ(text.getText(), "a\r\nbc\r\nd");
  EXPECT_EQ(text.lineOffset(2), 7);
  EXPECT_EQ(text.lineAt(4), 1u);  // inside "bc"
  EXPECT_EQ(text.lineAt(5), 1u);  // at the end of "bc"
  EXPECT_EQ(text.lineAt(7), 2u);
  EXPECT_FALSE(text.modified());

  WizardText empty;
  empty.loadFileText("");
  EXPECT_TRUE(empty.empty());
  EXPECT_EQ(empty.fileText(), "");

  // Used as an editor buffer (the MetaBind window appends this way).
  text.setText(text.getText() + "\r\nbind \"x\" \"+jump\"");
  EXPECT_EQ(text.fileText(), "a\r\nbc\r\nd\r\nbind \"x\" \"+jump\"\r\n");
  EXPECT_TRUE(text.modified());
  text.select(3, 2);
  text.replaceSel("XY\r\nZ");
  EXPECT_EQ(text.getText(), "a\r\nXY\r\nZ\r\nd\r\nbind \"x\" \"+jump\"");
  EXPECT_EQ(text.findText("Z", 0, text.textLength()), 7);
  EXPECT_EQ(text.findText("Z\r\nd", 0, text.textLength()), 7);
}

TEST(FindNext, SearchesOnFromTheSelectionAndKeepsItWhenNothingIsFound) {
  WizardTexts t = textsOf("alpha beta\r\nbeta\r\n");
  t.searchText = "beta";
  EXPECT_EQ(t.findNext(t.working), 6);
  EXPECT_EQ(t.working.selStart(), 6);
  EXPECT_EQ(t.working.selLength(), 4);
  EXPECT_EQ(t.findNext(t.working), 12);
  EXPECT_EQ(t.findNext(t.working), -1);
  EXPECT_EQ(t.working.selStart(), 12);  // unchanged
  t.searchText = "Beta";
  t.working.select(0, 0);
  EXPECT_EQ(t.findNext(t.working), -1);  // letter case matters
}

TEST(ReadValue, TakesTheSettingAtALineStartAndTheLastSuchLine) {
  WizardTexts t = textsOf(
      "cl_updaterate \"30\"\r\n"
      "// name \"Commented\"\r\n"
      "bind \"r\" \"drawradar\"\r\n"
      "echo rate \"1\"\r\n"
      "\t rate \"9999\"\r\n"
      "name \"First\"\r\n"
      "name \"Second\"\r\n");
  EXPECT_EQ(t.readValue("rate \""), "9999");
  EXPECT_EQ(t.matchLine, 4);
  EXPECT_EQ(t.working.selText(), "9999");
  EXPECT_EQ(t.readValue("name \""), "Second");
  EXPECT_EQ(t.matchLine, 6);
  t.readValue("drawradar");
  EXPECT_EQ(t.lastMatch, -1);  // only inside a bind line
  EXPECT_EQ(t.foundText, "");
}

TEST(ReadValue, ValuesEndAtTheQuoteOfTheirOwnLine) {
  WizardTexts t = textsOf("name \"\"\r\nsensitivity \"2.5\r\nzoom \"1\"\r\nbind \"MOUSE1\r\n");
  EXPECT_EQ(t.readValue("name \""), "");
  EXPECT_NE(t.lastMatch, -1);                    // present, with an empty value
  EXPECT_EQ(t.readValue("sensitivity \""), "");  // no closing quote: never the next line
  EXPECT_NE(t.lastMatch, -1);
  EXPECT_EQ(t.readValue("bind \"MOUSE1"), "");
  EXPECT_NE(t.lastMatch, -1);
  EXPECT_EQ(t.readValue("fov \""), "");
  EXPECT_EQ(t.lastMatch, -1);
}

TEST(ReadValue, BareWordsAreFoundWholeAndGiveThemselves) {
  WizardTexts t = textsOf("drawradarx\r\n  drawradar  \r\nunbindall;\r\n");
  EXPECT_EQ(t.readValue("drawradar"), "drawradar");
  EXPECT_EQ(t.matchLine, 1);
  EXPECT_EQ(t.working.selText(), "drawradar");
  EXPECT_EQ(t.readValue("unbindall"), "unbindall");  // ';' ends the word
  t.readValue("hideradar");
  EXPECT_EQ(t.lastMatch, -1);
}

TEST(ReplaceOrAppend, ChangesOnlyTheValueOfTheLastLine) {
  WizardTexts t = textsOf(
      "hud_fastswitch \"0\"\r\n"
      "  hud_fastswitch \"0\"; cl_showfps \"1\" // fast\r\n"
      "name \"Broken\r\n");
  EXPECT_TRUE(t.replaceOrAppend("hud_fastswitch \"", "1", false));
  EXPECT_EQ(t.matchLine, 1);
  EXPECT_TRUE(t.replaceOrAppend("name \"", "Player", true));
  EXPECT_EQ(fileOf(t),
            "hud_fastswitch \"0\"\r\n"
            "  hud_fastswitch \"1\"; cl_showfps \"1\" // fast\r\n"
            "name \"Player\"\r\n");
}

TEST(ReplaceOrAppend, AMissingSettingIsAppendedUnlessForbiddenAndNeverCountsAsReplaced) {
  WizardTexts t = textsOf("// cl_bob \"0.01\"\r\n");
  EXPECT_FALSE(t.replaceOrAppend("cl_bob \"", "0", true));
  EXPECT_EQ(fileOf(t), "// cl_bob \"0.01\"\r\n");
  EXPECT_FALSE(t.working.modified());
  EXPECT_FALSE(t.replaceOrAppend("cl_bob \"", "0", false));
  EXPECT_EQ(fileOf(t), "// cl_bob \"0.01\"\r\ncl_bob \"0\"\r\n");
  EXPECT_EQ(t.matchLine, 1);
  EXPECT_TRUE(t.working.modified());

  // The same value again changes nothing at all.
  t.working.setModified(false);
  EXPECT_TRUE(t.replaceOrAppend("cl_bob \"", "0", false));
  EXPECT_FALSE(t.working.modified());
}

TEST(ReplaceOrAppend, WholeLineModeHonoursTheLengthWindow) {
  WizardTexts t = textsOf("drawradar; net_graph 1\r\nhideradar\r\n");
  t.wholeLineMode = true;
  t.minLineLength = 9;
  t.maxLineLength = 13;
  // The last drawradar line is too long: with no-append nothing changes.
  EXPECT_FALSE(t.replaceOrAppend("drawradar", "hideradar", true));
  EXPECT_EQ(t.working.size(), 2u);
  EXPECT_TRUE(t.replaceOrAppend("hideradar", "drawradar", true));
  EXPECT_EQ(fileOf(t), "drawradar; net_graph 1\r\ndrawradar\r\n");
  // Too long and appending allowed: the value goes to a new last line.
  t.working.replaceLine(1, "drawradar // on");
  EXPECT_TRUE(t.replaceOrAppend("drawradar", "x", false));
  ASSERT_EQ(t.working.size(), 3u);
  EXPECT_EQ(t.working.at(2), "x");
  EXPECT_FALSE(t.replaceOrAppend("adjust_crosshair", "adjust_crosshair", false));
  ASSERT_EQ(t.working.size(), 4u);
  EXPECT_EQ(t.working.at(3), "adjust_crosshair");
}

TEST(ReadBoundKey, TakesTheFirstBindWithAKey) {
  WizardTexts t = textsOf(
      "bind \"\" \"+jump\"\r\n"
      "bind \"SPACE\" \"+jump\"\r\n"
      "bind \"w\" \"+forward\"\r\n"
      "\" \"+back\"\r\n");
  EXPECT_EQ(t.readBoundKey("\" \"+jump\""), "SPACE");
  EXPECT_EQ(t.working.selText(), "SPACE");
  EXPECT_EQ(t.readBoundKey("\" \"+forward\""), "w");
  // No quote before the suffix on its own line: no key, and never one from the line above.
  EXPECT_EQ(t.readBoundKey("\" \"+back\""), "");
  EXPECT_EQ(t.lastMatch, -1);
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

TEST(DeleteMatchLine, RemovesTheLineOfTheMatchInEitherText) {
  WizardTexts t = textsOf("unbindall\r\nalias \"Kav-F1\" \"buy\"\r\nbind \"F1\" \"Kav-F1\"\r\n");
  t.autoexec.loadFileText("alias \"Kav-F10\" \"x\"\r\nalias \"Kav-F1\" \"y\"\r\n");
  t.readValue("bind \"F1\"");
  ASSERT_NE(t.lastMatch, -1);
  t.deleteMatchLine(t.working);
  EXPECT_EQ(fileOf(t), "unbindall\r\nalias \"Kav-F1\" \"buy\"\r\n");
  EXPECT_EQ(t.findInAutoexec("alias \"Kav-F1\""), "1");
  t.deleteMatchLine(t.autoexec);
  EXPECT_EQ(t.autoexec.fileText(), "alias \"Kav-F10\" \"x\"\r\n");
  EXPECT_EQ(t.findInAutoexec("alias \"Kav-F1\""), "");
  EXPECT_EQ(t.lastMatch, -1);
}

TEST(RadioChoice, OnlyTheListedValuesCheckAButton) {
  EXPECT_EQ(radioChoice("0"), 0);
  EXPECT_EQ(radioChoice("1"), 1);
  EXPECT_EQ(radioChoice("2"), -1);
  EXPECT_EQ(radioChoice("2", true), 2);
  EXPECT_EQ(radioChoice(""), -1);
  EXPECT_EQ(radioChoice("01"), -1);
}
