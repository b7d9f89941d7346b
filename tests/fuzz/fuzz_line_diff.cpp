// The line diff: its unchanged and removed lines are the old text, its unchanged and added
// lines the new one; within its edit limit it is as short as a diff can be; the context view
// keeps every change and accounts for every line it leaves out.
#include <algorithm>

#include "core/LineDiff.h"
#include "core/Text.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace brindle;
using Kind = core::DiffLine::Kind;

namespace {

// The fewest removed and added lines that turn a into b (both minus their longest common
// subsequence), by the textbook table; for small texts only.
std::size_t shortest(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  std::vector<std::vector<std::size_t>> lcs(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = a.size(); i-- > 0;)
    for (std::size_t j = b.size(); j-- > 0;)
      lcs[i][j] = a[i] == b[j] ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
  return a.size() + b.size() - 2 * lcs[0][0];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // The first byte picks the edit limit (small ones reach the fallback), the rest is two texts.
  const std::size_t maxEdits = data[0] < 200 ? std::size_t{data[0]} : 2000;
  const auto parts = fuzz::splitParts(fuzz::asText(data + 1, size - 1), 2);
  const std::string_view before = parts[0];
  const std::string_view after = parts.size() > 1 ? parts[1] : std::string_view();

  const std::vector<core::DiffLine> diff = core::lineDiff(before, after, maxEdits);
  std::vector<std::string> oldLines, newLines;
  std::size_t edits = 0;
  for (const core::DiffLine& l : diff) {
    FUZZ_REQUIRE(l.kind != Kind::Skipped);
    if (l.kind != Kind::Added) oldLines.push_back(l.text);
    if (l.kind != Kind::Removed) newLines.push_back(l.text);
    if (l.kind != Kind::Same) ++edits;
  }
  const std::vector<std::string> a = core::splitLines(before);
  const std::vector<std::string> b = core::splitLines(after);
  FUZZ_REQUIRE(oldLines == a);
  FUZZ_REQUIRE(newLines == b);
  // The diff applied to the old text, written as a file, is the new text written as a file.
  FUZZ_REQUIRE(core::joinLines(newLines) == core::asFileText(after));
  FUZZ_REQUIRE(diff.size() <= a.size() + b.size());
  if (a.size() * b.size() <= 40'000) {
    const std::size_t best = shortest(a, b);
    FUZZ_REQUIRE(edits >= best);
    if (best <= maxEdits) FUZZ_REQUIRE(edits == best);
  }

  const std::size_t context = std::size_t{data[0]} % 5;
  const std::vector<core::DiffLine> shown = core::withContext(diff, context);
  std::size_t lines = 0, changes = 0;
  for (const core::DiffLine& l : shown) {
    lines += l.kind == Kind::Skipped ? l.skipped : 1;
    if (l.kind == Kind::Added || l.kind == Kind::Removed) ++changes;
    if (l.kind == Kind::Skipped) FUZZ_REQUIRE(l.skipped >= 1);
  }
  FUZZ_REQUIRE(lines == diff.size());
  FUZZ_REQUIRE(changes == edits);
  return 0;
}
