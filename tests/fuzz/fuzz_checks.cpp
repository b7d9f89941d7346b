// The config checks, on a file alone and in the chain of a generated game directory: problems lie
// inside the text and come in its order, their number stays linear in its size, a check with a
// suggestion cache says what one without says, and what the editor underlines in a line as the
// user types is what the whole check finds in that line.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <tuple>

#include "core/Text.h"
#include "editor/logic/ConfigCheck.h"
#include "tests/fuzz/FuzzGame.h"

using namespace brindle;
using core::Offset;

namespace {

void requireSound(const editor::CheckResult& r, std::string_view text) {
  const auto n = static_cast<Offset>(text.size());
  FUZZ_REQUIRE(r.problems.size() <= 8 * (text.size() + 1));
  FUZZ_REQUIRE(r.errorCount() + r.warningCount() <= r.problems.size());
  Offset previous = 0;
  for (const editor::Problem& p : r.problems) {
    FUZZ_REQUIRE(p.offset >= previous);  // in the order of the text
    previous = p.offset;
    FUZZ_REQUIRE(p.offset >= 0 && p.length >= 0 && p.offset + p.length <= n);
    FUZZ_REQUIRE(p.length >= 1 || n == 0);
    FUZZ_REQUIRE(p.line >= 1 && p.column >= 1);
    FUZZ_REQUIRE(!p.message.empty());
  }
}

struct Seen {
  Offset offset;
  Offset length;
  editor::ProblemKind kind;
  bool operator==(const Seen&) const = default;
  bool operator<(const Seen& o) const {
    return std::tie(offset, length, kind) < std::tie(o.offset, o.length, o.kind);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const auto kind = static_cast<editor::ConfigKind>(in.ConsumeIntegralInRange<int>(0, 2));
  const std::size_t checked = in.ConsumeIntegralInRange<std::size_t>(0, fuzz::kGameFiles - 1);
  const std::string input = in.ConsumeRemainingBytesAsString();
  const core::Vocabulary& words = fuzz::vocabulary();

  fuzz::MemorySource dir = fuzz::gameDirectory(input);
  const std::string path = fuzz::kGameFileNames[checked];
  const auto found = dir.files.find(editor::chainKey(path));
  const std::string text = found == dir.files.end() ? std::string() : found->second;

  // The suggestion search is the costly part: the first check fills the cache, the second
  // reads it and must say the same.
  editor::CheckOptions options;
  options.kind = kind;
  editor::SuggestionCache cache;
  options.suggestions = &cache;
  const editor::CheckResult alone = editor::checkConfig(text, words, options);
  requireSound(alone, text);
  const editor::CheckResult cached = editor::checkConfig(text, words, options);
  FUZZ_REQUIRE(cached.problems.size() == alone.problems.size());
  for (std::size_t i = 0; i < alone.problems.size(); ++i)
    FUZZ_REQUIRE(cached.problems[i].message == alone.problems[i].message);

  const editor::CheckResult chain = editor::checkInChain(text, path, dir, words, options);
  requireSound(chain, text);
  FUZZ_REQUIRE(dir.reads <= 4 * (editor::ChainAccount::kFileRunsBase +
                                 (editor::ChainAccount::kPerDistinct + 1) * fuzz::kGameFiles));

  // The line checks agree with the whole check of a player's config, line by line (a NUL byte
  // ends what the game reads of a file, so such files are left out).
  if (kind != editor::ConfigKind::Player || text.find('\0') != std::string::npos) return 0;
  std::vector<Seen> whole, lines;
  for (const editor::Problem& p : alone.problems)
    if (editor::isLineProblem(p.kind)) whole.push_back({p.offset, p.length, p.kind});
  std::size_t start = 0;
  while (start < text.size() || start == 0) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    for (const editor::Problem& p :
         editor::checkLine(std::string_view(text).substr(start, end - start), words))
      lines.push_back({p.offset + static_cast<Offset>(start), p.length, p.kind});
    if (end >= text.size()) break;
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  std::sort(whole.begin(), whole.end());
  std::sort(lines.begin(), lines.end());
  FUZZ_REQUIRE(whole == lines);
  return 0;
}
