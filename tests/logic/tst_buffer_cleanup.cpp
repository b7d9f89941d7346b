// The editor buffer model, the find step, replace-all, the editing tools and the clean-up.
#include <gtest/gtest.h>

#include <random>

#include "editor/logic/Cleanup.h"
#include "editor/logic/EditTools.h"
#include "core/TextBuffer.h"

using namespace brindle::core;
using namespace brindle::editor;

using namespace brindle;

TEST(Buffer, OffsetsCountABreakAsTwoAndCaretPosFollowsThem) {
  MemoryBuffer b("ab\r\ncd\r\n");
  b.setSelStart(5);
  EXPECT_EQ(b.caretPos().line, 1);
  EXPECT_EQ(b.caretPos().column, 1);
  b.setSelStart(3);  // between CR and LF: before the break
  EXPECT_EQ(b.selStart(), 2);
  b.setSelStart(100);
  EXPECT_EQ(b.selStart(), 8);
  EXPECT_EQ(b.lineCount(), 3);
  EXPECT_EQ(b.line(2), "");
  b.select(1, 2);  // a selection never ends inside a break
  EXPECT_EQ(b.selText(), "b\r\n");
}

TEST(Buffer, ReplaceSelInsertsAtTheCaretAndMarksModified) {
  MemoryBuffer b("abc");
  EXPECT_FALSE(b.modified());
  b.select(1, 1);
  b.replaceSel("X\nY");
  EXPECT_EQ(b.getText(), "aX\r\nYc");
  EXPECT_EQ(b.selStart(), 5);
  EXPECT_TRUE(b.modified());
}

TEST(FindStep, SearchesFromTheTopThenAfterTheSelection) {
  MemoryBuffer b("xabcabc");
  b.setSelStart(5);  // the caret does not matter, only a selection does
  EXPECT_EQ(findStep(b, "abc"), 1);
  EXPECT_EQ(findStep(b, "abc"), 4);
  EXPECT_EQ(findStep(b, "abc"), -1);
  EXPECT_EQ(b.selStart(), 4);
  EXPECT_EQ(b.selLength(), 3);
  EXPECT_EQ(findStep(b, "ABC"), -1);  // case counts
  EXPECT_EQ(findStep(b, ""), -1);
}

TEST(ReplaceAll, ReplacesUntilNoneIsLeftAndSurvivesSelfContainingReplacements) {
  MemoryBuffer b("a     b");
  replaceAll(b, "  ", " ");
  EXPECT_EQ(b.getText(), "a b");
  MemoryBuffer k("bind <<1>> x; bind <<10>> y; <<1>>");
  replaceAll(k, "<<1>>", "SPACE");
  EXPECT_EQ(k.getText(), "bind SPACE x; bind <<10>> y; SPACE");
  MemoryBuffer s("aa");
  replaceAll(s, "a", "aa");  // would never end literally: one pass instead
  EXPECT_EQ(s.getText(), "aaaa");
}

TEST(EditTools, CommentEnterEndEnterDeleteLineAndSelectAll) {
  MemoryBuffer b("bind x");
  b.select(0, 4);
  insertComment(b);
  EXPECT_EQ(b.getText(), "bind// x");
  EXPECT_EQ(b.selStart(), 6);

  MemoryBuffer e("abc\r\ndef");
  e.setSelStart(1);
  insertLineBreak(e);
  EXPECT_EQ(e.getText(), "a\r\nbc\r\ndef");

  MemoryBuffer ee("abc\r\ndef");
  openLineBelow(ee, 0);
  EXPECT_EQ(ee.getText(), "abc\r\n\r\ndef");
  EXPECT_EQ(ee.caretPos().line, 1);
  EXPECT_EQ(ee.caretPos().column, 0);
  openLineBelow(ee, 99);  // past the end: the last line
  EXPECT_EQ(ee.getText(), "abc\r\n\r\ndef\r\n");

  MemoryBuffer d("one\r\ntwo\r\nthree");
  d.setSelStart(10);
  deleteCaretLine(d);
  EXPECT_EQ(d.getText(), "one\r\ntwo");
  d.setSelStart(0);
  deleteCaretLine(d);
  EXPECT_EQ(d.getText(), "two");

  MemoryBuffer s("hello");
  s.select(1, 1);
  toggleSelectAll(s);  // one selected character counts as none
  EXPECT_EQ(s.selLength(), 5);
  toggleSelectAll(s);
  EXPECT_EQ(s.selLength(), 0);
  EXPECT_EQ(s.selStart(), 0);
}

TEST(Cleanup, TheDocumentedCases) {
  EXPECT_EQ(cleanupText("x;;\r\n"), "x\r\n");
  EXPECT_EQ(cleanupText("a \"b\"; ; \r\n"), "a \"b\";\r\n");
  EXPECT_EQ(cleanupText("x; ;\r\n"), "x;\r\n");
  EXPECT_EQ(cleanupText("bind MOUSE1 \"+attack \"\r\n"), "bind MOUSE1 \"+attack\"\r\n");
  EXPECT_EQ(cleanupText("bind \"+attack \" x\r\n"), "bind \"+attack \" x\r\n");
  EXPECT_EQ(cleanupText("alias q \"b; c;\"\r\n"), "alias q \"b;c\"\r\n");
  EXPECT_EQ(cleanupText("a;\r\nlast; "), "a\r\nlast;");  // no break after the last line
  EXPECT_EQ(cleanupText("a   b ;c"), "a b ;c");
  EXPECT_EQ(cleanupText(""), "");
}

namespace {

// The clean-up as the editor originally did it: for each pair, find the first occurrence from
// the top, replace it, and start again, until none is left.
std::string literalCleanup(std::string s) {
  static const std::pair<std::string, std::string> pairs[] = {
      {"  ", " "}, {";\r\n", "\r\n"}, {" \r\n", "\r\n"}, {"; ", ";"},
      {";\"", "\""}, {";;", ";"}, {" \"\r\n", "\"\r\n"}};
  for (const auto& [find, repl] : pairs)
    for (auto pos = s.find(find); pos != std::string::npos; pos = s.find(find))
      s.replace(pos, find.size(), repl);
  return s;
}

}  // namespace

TEST(Cleanup, EqualsTheLiteralAlgorithmOnRandomTexts) {
  std::mt19937 rng(20261207);
  const std::string alphabet = "  ;;\"\r\nab";
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const int length = static_cast<int>(rng() % 40);
    for (int i = 0; i < length; ++i) text += alphabet[rng() % alphabet.size()];
    ASSERT_EQ(cleanupText(text), literalCleanup(text)) << "input: " << testing::PrintToString(text);
  }
}

TEST(Cleanup, OnABufferIsOneReplacementThatKeepsTheCaret) {
  MemoryBuffer b("a  b;\r\nc");
  b.setModified(false);
  b.setSelStart(7);
  cleanupBuffer(b);
  EXPECT_EQ(b.getText(), "a b\r\nc");
  EXPECT_EQ(b.selStart(), 6);  // beyond the new end: the end
  EXPECT_TRUE(b.modified());

  MemoryBuffer clean("nothing to do\r\n");
  clean.setSelStart(3);
  cleanupBuffer(clean);
  EXPECT_FALSE(clean.modified());
  EXPECT_EQ(clean.selStart(), 3);
}
