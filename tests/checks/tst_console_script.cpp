// The console-script tokenizer: where commands end, how words split, the nested scripts of
// alias and bind, the kinds of words, the word at a caret; and hostile text.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/ConsoleScript.h"

using namespace brindle::core;

namespace {

struct Cmd {
  std::vector<std::string> words;  // as the console hands them on (without quotes)
  int depth = 0;
  bool comment = false;
  Offset afterComment = -1;
  bool operator==(const Cmd&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Cmd& c) {
  os << "{d" << c.depth << (c.comment ? " //" : "") << " after=" << c.afterComment << ":";
  for (const auto& w : c.words) os << " [" << w << "]";
  return os << "}";
}

class Recorder : public ScriptVisitor {
 public:
  std::vector<Cmd> commands;
  std::vector<ScriptWord> allWords;
  bool keepEmpty = false;
  void command(std::string_view script, const ScriptCommand& c) override {
    if (c.empty() && c.commentStart < 0 && !keepEmpty) return;
    Cmd out;
    out.depth = c.depth;
    out.comment = c.commentStart >= 0;
    out.afterComment = c.afterComment;
    for (const ScriptWord& w : c.words) {
      out.words.emplace_back(w.text(script));
      allWords.push_back(w);
    }
    commands.push_back(out);
  }
};

std::vector<Cmd> commandsOf(std::string_view text) {
  Recorder r;
  ScriptScanner().scan(text, r);
  return r.commands;
}

Vocabulary testVocabulary() {
  KnownWords w;
  w.commands = {"bind", "unbind", "alias", "echo", "wait", "+attack", "-attack", "say"};
  w.variables = {"sensitivity", "cl_bob", "hud_fastswitch"};
  w.keyNames = {"MOUSE1", "SPACE", "a", "'", ";"};
  return Vocabulary(w);
}

// "kind:text" of every token, text without quotes.
std::vector<std::string> kindsOf(std::string_view text, const NameSet* aliases = nullptr) {
  static const char* const names[] = {"cmd", "var", "act", "alias", "key", "val", "//", "?"};
  std::vector<std::string> out;
  const Vocabulary v = testVocabulary();
  for (const ScriptToken& t : tokenize(text, v, aliases))
    out.push_back(std::string(names[static_cast<int>(t.kind)]) + ":" +
                  std::string(text.substr(static_cast<std::size_t>(t.start),
                                          static_cast<std::size_t>(t.length))));
  return out;
}

}  // namespace

TEST(ConsoleScript, CommandsEndAtSemicolonsOutsideQuotesAndAtLineBreaks) {
  EXPECT_EQ(commandsOf("a 1; b 2\r\nc"), (std::vector<Cmd>{{{"a", "1"}}, {{"b", "2"}}, {{"c"}}}));
  EXPECT_EQ(commandsOf("say \"x; y\"; z"), (std::vector<Cmd>{{{"say", "x; y"}}, {{"z"}}}));
  // CR LF, a lone LF and a lone CR each break a line.
  EXPECT_EQ(commandsOf("a\nb\rc\r\n\r\nd"), (std::vector<Cmd>{{{"a"}}, {{"b"}}, {{"c"}}, {{"d"}}}));
  // A line break ends a command even inside quotes; the word ends there unclosed.
  EXPECT_EQ(commandsOf("say \"open\r\nnext"), (std::vector<Cmd>{{{"say", "open"}}, {{"next"}}}));
  // Quotes count from the start of the command, also inside words: no split here.
  EXPECT_EQ(commandsOf("say ab\"c; d"), (std::vector<Cmd>{{{"say", "ab\"c;", "d"}}}));
}

TEST(ConsoleScript, CommentsRunToTheEndOfTheCommandAndASemicolonEndsThem) {
  EXPECT_EQ(commandsOf("// just a comment"), (std::vector<Cmd>{{{}, 0, true}}));
  EXPECT_EQ(commandsOf("cl_bob 0 // wobble"), (std::vector<Cmd>{{{"cl_bob", "0"}, 0, true}}));
  // The game ends the comment at ';' and runs the rest.
  EXPECT_EQ(commandsOf("// note; quit; x"),
            (std::vector<Cmd>{{{}, 0, true}, {{"quit"}, 0, false, 0}, {{"x"}, 0, false, 0}}));
  // Inside quotes the ';' does not end the comment.
  EXPECT_EQ(commandsOf("// say \"a; b\""), (std::vector<Cmd>{{{}, 0, true}}));
  // "//" starts a comment only at the start of a word, but ':' is a word of its own.
  EXPECT_EQ(commandsOf("say a//b c"), (std::vector<Cmd>{{{"say", "a//b", "c"}}}));
  EXPECT_EQ(commandsOf("say http://x"), (std::vector<Cmd>{{{"say", "http", ":"}, 0, true}}));
}

TEST(ConsoleScript, WordsSplitAtBlanksAndTheParsersSingleCharacters) {
  EXPECT_EQ(commandsOf("a\tb\x01"
                       "c  \"d e\""),
            (std::vector<Cmd>{{{"a", "b", "c", "d e"}}}));
  EXPECT_EQ(commandsOf("connect 10.0.0.1:27015"),
            (std::vector<Cmd>{{{"connect", "10.0.0.1", ":", "27015"}}}));
  EXPECT_EQ(commandsOf("x (a,b) {c} d'e"),
            (std::vector<Cmd>{{{"x", "(", "a", ",", "b", ")", "{", "c", "}", "d", "'", "e"}}}));
  // Cyrillic bytes (CP1251) are letters of a word, not blanks.
  EXPECT_EQ(commandsOf("say \xcf\xf0\xe8\xe2\xe5\xf2 \xec\xe8\xf0"),
            (std::vector<Cmd>{{{"say", "\xcf\xf0\xe8\xe2\xe5\xf2", "\xec\xe8\xf0"}}}));
  // A NUL byte separates words like a blank.
  EXPECT_EQ(commandsOf(std::string("a\0b", 3)), (std::vector<Cmd>{{{"a", "b"}}}));
}

TEST(ConsoleScript, PositionsAreByteOffsetsWithTwoForALineBreak) {
  Recorder r;
  ScriptScanner().scan("ab\r\n  \"c d\" e", r);
  ASSERT_EQ(r.allWords.size(), 3u);
  EXPECT_EQ(r.allWords[0].start, 0);
  EXPECT_EQ(r.allWords[1].start, 6);
  EXPECT_EQ(r.allWords[1].length, 5);
  EXPECT_EQ(r.allWords[1].textStart(), 7);
  EXPECT_EQ(r.allWords[1].textLength(), 3);
  EXPECT_EQ(r.allWords[2].start, 12);
  // An unclosed quoted word runs to the line's end, without a closing quote to drop.
  Recorder u;
  ScriptScanner().scan("x \"abc\r\n", u);
  ASSERT_EQ(u.allWords.size(), 2u);
  EXPECT_FALSE(u.allWords[1].closed);
  EXPECT_EQ(u.allWords[1].length, 4);
  EXPECT_EQ(u.allWords[1].textLength(), 3);
}

TEST(ConsoleScript, TheValuesOfAliasAndBindAreScriptsOfTheirOwn) {
  EXPECT_EQ(commandsOf("alias +jd \"+jump; +duck\""),
            (std::vector<Cmd>{{{"alias", "+jd", "+jump; +duck"}}, {{"+jump"}, 1}, {{"+duck"}, 1}}));
  // Unquoted values: the words from the third on.
  EXPECT_EQ(commandsOf("bind a say hi"),
            (std::vector<Cmd>{{{"bind", "a", "say", "hi"}}, {{"say", "hi"}, 1}}));
  // An alias defined inside an alias: its value opens one level deeper.
  EXPECT_EQ(commandsOf("alias t1 \"fov 40; alias t t2\""),
            (std::vector<Cmd>{{{"alias", "t1", "fov 40; alias t t2"}},
                              {{"fov", "40"}, 1},
                              {{"alias", "t", "t2"}, 1},
                              {{"t2"}, 2}}));
  // No value, no nested commands; "bind KEY" only asks.
  EXPECT_EQ(commandsOf("bind a"), (std::vector<Cmd>{{{"bind", "a"}}}));
  Recorder r;
  r.keepEmpty = true;
  ScriptScanner().scan("bind a \"\"", r);
  EXPECT_EQ(r.commands, (std::vector<Cmd>{{{"bind", "a", ""}}, {{}, 1}}));
}

TEST(ConsoleScript, WordsGetTheirKinds) {
  EXPECT_EQ(kindsOf("bind \"MOUSE1\" \"+attack; say hi\" // fire"),
            (std::vector<std::string>{"cmd:bind", "key:\"MOUSE1\"", "val:\"+attack; say hi\"",
                                      "//:// fire", "act:+attack", "cmd:say", "val:hi"}));
  EXPECT_EQ(kindsOf("sensitivity 2; CL_BOB \"0\"; nosuch 1"),
            (std::vector<std::string>{"var:sensitivity", "val:2", "var:CL_BOB", "val:\"0\"",
                                      "?:nosuch", "val:1"}));
  // Key names: longer names without regard to case, one character exactly.
  EXPECT_EQ(kindsOf("bind space x; bind A x; unbind ' "),
            (std::vector<std::string>{"cmd:bind", "key:space", "val:x", "?:x", "cmd:bind", "?:A",
                                      "val:x", "?:x", "cmd:unbind", "key:'"}));
  // An alias is a known word where the file defines it.
  NameSet aliases{"+jd"};
  EXPECT_EQ(kindsOf("alias +jd \"+jump\"; bind a +jd; +JD", &aliases),
            (std::vector<std::string>{"cmd:alias", "alias:+jd", "val:\"+jump\"", "?:+jump",
                                      "cmd:bind", "key:a", "val:+jd", "alias:+jd", "alias:+JD"}));
  // A command wins over an alias of the same name, as the game looks commands up first.
  NameSet echo{"echo"};
  EXPECT_EQ(kindsOf("echo", &echo), (std::vector<std::string>{"cmd:echo"}));
  EXPECT_EQ(definedAliases("alias a b; alias \"B\" c\r\nalias t \"alias inner x\""),
            (NameSet{"a", "B", "t", "inner"}));
}

TEST(ConsoleScript, TheWordAtACaret) {
  const Vocabulary v = testVocabulary();
  // A caret right after a word is in it.
  WordAt w = wordAt("sensi", 5, v, nullptr);
  EXPECT_TRUE(w.found);
  EXPECT_TRUE(w.commandPosition);
  EXPECT_EQ(w.textStart, 0);
  EXPECT_EQ(w.textEnd, 5);
  EXPECT_TRUE(w.endOfCommand);
  // The second word is no command name; the word after ';' is.
  EXPECT_FALSE(wordAt("cl_bob 0", 8, v, nullptr).commandPosition);
  EXPECT_TRUE(wordAt("cl_bob 0; ec", 12, v, nullptr).commandPosition);
  EXPECT_TRUE(wordAt("cl_bob 0; ", 10, v, nullptr).commandPosition);
  EXPECT_FALSE(wordAt("cl_bob 0 ", 9, v, nullptr).commandPosition);
  // Inside the quoted value of a bind: a command name, inside quotes.
  w = wordAt("bind a \"+att", 12, v, nullptr);
  EXPECT_TRUE(w.commandPosition);
  EXPECT_TRUE(w.insideQuotes);
  EXPECT_EQ(w.textStart, 8);
  w = wordAt("bind a \"\"", 8, v, nullptr);
  EXPECT_TRUE(w.commandPosition);
  EXPECT_TRUE(w.insideQuotes);
  // Not in a comment, not in the value of a variable.
  EXPECT_FALSE(wordAt("// sens", 7, v, nullptr).commandPosition);
  EXPECT_FALSE(wordAt("cl_bob \"0", 9, v, nullptr).commandPosition);
  // An empty line is a place for a command; the words after the caret end the command later.
  EXPECT_TRUE(wordAt("", 0, v, nullptr).commandPosition);
  EXPECT_FALSE(wordAt("se \"1\"", 2, v, nullptr).endOfCommand);
  // By character: the character right after a word is not in it.
  EXPECT_TRUE(wordAt("cl_bob 0", 5, v, nullptr, false).found);
  EXPECT_FALSE(wordAt("cl_bob 0", 6, v, nullptr, false).found);
}

TEST(ConsoleScript, HostileText) {
  const Vocabulary v = testVocabulary();
  // A line of 100,000 characters: one command, every word found.
  std::string longLine;
  for (int i = 0; i < 20000; ++i) longLine += "abcd ";
  const auto c = commandsOf(longLine);
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(c[0].words.size(), 20000u);
  // An unbalanced quote over 100,000 characters, and one at the very end.
  const std::string open = "say \"" + std::string(100000, 'x');
  EXPECT_EQ(commandsOf(open), (std::vector<Cmd>{{{"say", std::string(100000, 'x')}}}));
  EXPECT_EQ(commandsOf("\""), (std::vector<Cmd>{{{""}}}));
  EXPECT_EQ(commandsOf("\"\"\""), (std::vector<Cmd>{{{"", ""}}}));
  // Random bytes: every token lies inside the text, tokens of a command come in order.
  std::mt19937 rng(11);
  static const char kAlphabet[] = "ab;\"/ \t\r\n{}:'\0\x97+-";
  const std::string alphabet(kAlphabet, sizeof kAlphabet - 1);
  for (int round = 0; round < 200; ++round) {
    std::string text;
    const int n = static_cast<int>(rng() % 400);
    for (int i = 0; i < n; ++i) text += alphabet[rng() % alphabet.size()];
    const auto tokens = tokenize(text, v, nullptr);
    Offset lastTop = -1;
    for (const ScriptToken& t : tokens) {
      ASSERT_GE(t.start, 0);
      ASSERT_GT(t.length, 0);
      ASSERT_LE(t.start + t.length, static_cast<Offset>(text.size()));
      if (t.depth == 0) {
        ASSERT_GE(t.start, lastTop) << text;
        lastTop = t.start + t.length;
      }
    }
    for (Offset p = 0; p <= static_cast<Offset>(text.size()); ++p) {
      const WordAt w = wordAt(text, p, v, nullptr);
      ASSERT_LE(w.textStart, w.textEnd);
    }
  }
}
