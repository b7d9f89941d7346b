// The editor buffer model, the find step, replace-all, the editing tools and the clean-up.
#include <gtest/gtest.h>

#include <random>

#include "core/Text.h"
#include "core/TextBuffer.h"
#include "editor/logic/Cleanup.h"
#include "editor/logic/EditTools.h"

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

TEST(FindStep, ATextBeginningWithALineBreakSelectsTheWholeBreak) {
  MemoryBuffer b("a\r\nb\r\nb");
  EXPECT_EQ(findStep(b, "\nb"), 1);  // a break is found as the buffer holds it
  EXPECT_EQ(b.selText(), "\r\nb");
  EXPECT_EQ(findStep(b, "\nb"), 4);
  EXPECT_EQ(b.selText(), "\r\nb");
  MemoryBuffer e("x\r\ny");
  EXPECT_EQ(findStep(e, "x\r"), 0);  // a lone CR at the end takes the whole break too
  EXPECT_EQ(e.selText(), "x\r\n");
}

TEST(ReplaceAll, LineBreaksInTheSearchTextReplaceWholeBreaks) {
  MemoryBuffer b("a\r\nb\r\nb");
  EXPECT_EQ(replaceAll(b, "\nb", "X").replacements, 2u);
  EXPECT_EQ(b.getText(), "aXX");
  MemoryBuffer c("a b");
  replaceAll(c, " ", "\n");
  EXPECT_EQ(c.getText(), "a\r\nb");
}

TEST(ReplaceAll, OneEditWithTheCaretAfterTheLastReplacement) {
  MemoryBuffer b("x <<1>> y <<1>> z");
  b.setModified(false);
  b.setSelStart(2);
  EXPECT_EQ(replaceAll(b, "<<1>>", "SPACE").replacements, 2u);
  EXPECT_EQ(b.getText(), "x SPACE y SPACE z");
  EXPECT_EQ(b.selStart(), 15);
  EXPECT_TRUE(b.modified());
  MemoryBuffer none("abc");
  none.setModified(false);
  none.setSelStart(2);
  EXPECT_EQ(replaceAll(none, "q", "r").replacements, 0u);
  EXPECT_FALSE(none.modified());
  EXPECT_EQ(none.selStart(), 0);  // the search went through from the top
}

TEST(ReplaceAll, ARuleThatWouldRunAwayIsRefusedAndChangesNothing) {
  // Each "ab" becomes "baaa", which moves the "a"s to the right and triples them: literally the
  // text would grow without end.
  MemoryBuffer b("a" + std::string(40, 'b'));
  const ReplaceAllResult r = replaceAll(b, "ab", "baaa");
  EXPECT_TRUE(r.refused);
  EXPECT_EQ(b.getText(), "a" + std::string(40, 'b'));
}

namespace {

// Replace-all done literally: the first match from the top, again and again; a replacement that
// contains the search text once each from left to right.
// Gives the text and the caret (after the last replacement, -1 when there was none).
std::pair<std::string, Offset> literalReplaceAll(std::string s, const std::string& find,
                                                 const std::string& with) {
  Offset caret = -1;
  const bool eachOnce = with.find(find) != std::string::npos;
  for (auto pos = s.find(find); pos != std::string::npos;
       pos = eachOnce ? s.find(find, pos + with.size()) : s.find(find)) {
    s.replace(pos, find.size(), with);
    caret = static_cast<Offset>(pos + with.size());
  }
  return {s, caret};
}

// Whether the literal rule ends within a few thousand steps on this text (some pairs make the
// text grow without bound); only such cases can be compared.
bool literalEnds(std::string s, const std::string& find, const std::string& with) {
  if (find.empty() || with.find(find) != std::string::npos) return true;
  for (int steps = 0; steps < 5000 && s.size() < 4000; ++steps) {
    const auto pos = s.find(find);
    if (pos == std::string::npos) return true;
    s.replace(pos, find.size(), with);
  }
  return false;
}

}  // namespace

TEST(ReplaceAll, EqualsTheLiteralRuleOnRandomTexts) {
  std::mt19937 rng(8);
  const auto word = [&](std::size_t maxLength) {
    std::string w;
    for (std::size_t n = rng() % (maxLength + 1); n > 0; --n) w += "ab<>"[rng() % 4];
    return w;
  };
  int compared = 0;
  for (int round = 0; round < 30000; ++round) {
    const std::string text = word(30);
    std::string find = word(4);
    if (find.empty()) find = "a";
    const std::string with = word(5);
    if (!literalEnds(text, find, with)) continue;
    ++compared;
    MemoryBuffer b(text);
    b.setSelStart(3);
    replaceAll(b, find, with);
    const auto [expected, caret] = literalReplaceAll(text, find, with);
    ASSERT_EQ(b.getText(), expected) << text << ": " << find << " -> " << with;
    if (caret >= 0) {
      ASSERT_EQ(b.selStart(), caret) << text << ": " << find << " -> " << with;
    }
  }
  EXPECT_GT(compared, 25000);
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

// The clean-up's rules applied literally: for each pair, find the first occurrence from the
// top, replace it, and start again, until none is left.
std::string literalCleanup(std::string s) {
  static const std::pair<std::string, std::string> pairs[] = {
      {"  ", " "},   {";\r\n", "\r\n"}, {" \r\n", "\r\n"},    {"; ", ";"},
      {";\"", "\""}, {";;", ";"},       {" \"\r\n", "\"\r\n"}};
  for (const auto& [find, repl] : pairs)
    for (auto pos = s.find(find); pos != std::string::npos; pos = s.find(find))
      s.replace(pos, find.size(), repl);
  return s;
}

}  // namespace

TEST(Cleanup, EqualsTheLiteralAlgorithmOnRandomTexts) {
  std::mt19937 rng(20261207);
  const std::string alphabet = "  ;;\"\r\nab";
  for (int round = 0; round < 40000; ++round) {
    std::string text;
    const int length = static_cast<int>(rng() % 60);
    for (int i = 0; i < length; ++i) text += alphabet[rng() % alphabet.size()];
    // Most texts as the editor holds them (CR LF breaks only), some with lone breaks as well.
    if (round % 4 != 0) text = normalizeBreaks(text);
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
