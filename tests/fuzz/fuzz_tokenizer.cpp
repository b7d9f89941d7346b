// The console tokenizer: every command and word lies inside the text and in order, the words of
// a command inside the command, and the work (commands handed out, tokens) stays linear in the
// text's size whatever the nesting of alias and bind values.
#include <algorithm>

#include "core/ConsoleScript.h"
#include "tests/fuzz/FuzzGame.h"

using namespace brindle;
using core::Offset;

namespace {

struct Checker : core::ScriptVisitor {
  Offset size = 0;
  std::size_t commands = 0;
  std::size_t words = 0;
  Offset lastTopStart = -1;

  void command(std::string_view script, const core::ScriptCommand& c) override {
    ++commands;
    words += c.words.size();
    FUZZ_REQUIRE(c.depth >= 0 && c.depth <= core::ScriptScanner::kMaxDepth);
    FUZZ_REQUIRE(0 <= c.start && c.start <= c.end && c.end <= size);
    FUZZ_REQUIRE((c.depth == 0) == (c.parent == nullptr));
    if (c.parent) {
      FUZZ_REQUIRE(c.parent->depth == c.depth - 1);
      FUZZ_REQUIRE(c.parent->start <= c.start && c.end <= c.parent->end);
    } else {
      FUZZ_REQUIRE(c.start >= lastTopStart);  // commands of the text come in order
      lastTopStart = c.start;
    }
    Offset previousEnd = c.start;
    for (const core::ScriptWord& w : c.words) {
      FUZZ_REQUIRE(w.length >= 1);
      FUZZ_REQUIRE(w.start >= previousEnd && w.end() <= c.end);
      FUZZ_REQUIRE(w.textLength() >= 0 && w.textStart() >= w.start);
      FUZZ_REQUIRE(w.textStart() + w.textLength() <= w.end());
      FUZZ_REQUIRE(!w.quoted || script[static_cast<std::size_t>(w.start)] == '"');
      previousEnd = w.end();
    }
    if (c.commentStart >= 0) FUZZ_REQUIRE(c.commentStart >= previousEnd && c.commentStart <= c.end);
    const core::ScriptRange nested = core::nestedScript(script, c);
    if (nested.present)
      FUZZ_REQUIRE(c.start <= nested.start && nested.start <= nested.end && nested.end <= c.end);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::asText(data, size);
  const auto n = static_cast<Offset>(size);
  const core::Vocabulary& words = fuzz::vocabulary();

  Checker checker;
  checker.size = n;
  core::ScriptScanner scanner;
  scanner.scan(text, checker);
  // Each level of values holds at most one command per byte, and one more per value.
  const auto levels = static_cast<std::size_t>(core::ScriptScanner::kMaxDepth + 1);
  FUZZ_REQUIRE(checker.commands <= 2 * levels * (size + 1));
  FUZZ_REQUIRE(checker.words <= levels * size);
  // A second scan with the same scanner (buffers kept) hands out the same.
  Checker again;
  again.size = n;
  scanner.scan(text, again);
  FUZZ_REQUIRE(again.commands == checker.commands && again.words == checker.words);

  const core::NameSet aliases = core::definedAliases(text);
  const std::vector<core::ScriptToken> tokens = core::tokenize(text, words, &aliases);
  FUZZ_REQUIRE(tokens.size() <= checker.words + checker.commands);
  for (const core::ScriptToken& t : tokens) {
    FUZZ_REQUIRE(t.start >= 0 && t.length >= 1 && t.start + t.length <= n);
    FUZZ_REQUIRE(t.depth >= 0 && t.depth <= core::ScriptScanner::kMaxDepth);
  }
  for (const std::string& a : aliases) FUZZ_REQUIRE(a.size() <= size);

  // The word under a few positions of the first line, as completion asks for it.
  const std::string_view line = text.substr(0, std::min(text.find_first_of("\r\n"), size));
  const auto length = static_cast<Offset>(line.size());
  for (Offset p : {Offset{0}, length / 3, length / 2, length}) {
    const core::WordAt at = core::wordAt(line, p, words, &aliases, true);
    if (!at.found) continue;
    FUZZ_REQUIRE(at.token.start >= 0 && at.token.start + at.token.length <= length);
    FUZZ_REQUIRE(at.token.start <= at.textStart && at.textStart <= at.textEnd &&
                 at.textEnd <= at.token.start + at.token.length);
    FUZZ_REQUIRE(at.token.start <= p && p <= at.token.start + at.token.length);
  }
  const std::string first = core::firstCommandOf(line);
  FUZZ_REQUIRE(first.size() <= line.size());
  return 0;
}
