#include "core/LineDiff.h"

#include <algorithm>

#include "core/Text.h"

namespace brindle::core {
namespace {

using Kind = DiffLine::Kind;

// The edit script between a and b by Myers' O((N+M)D) search ("An O(ND) Difference Algorithm
// and Its Variations", 1986), or false when it needs more than maxEdits edits. The furthest
// x on each diagonal k is kept for every d so the path can be traced back.
bool myers(const std::vector<std::string>& a, const std::vector<std::string>& b,
           std::size_t maxEdits, std::vector<DiffLine>& out) {
  const long n = static_cast<long>(a.size());
  const long m = static_cast<long>(b.size());
  const long limit = std::min(n + m, static_cast<long>(maxEdits));
  const long offset = limit + 1;
  std::vector<long> v(static_cast<std::size_t>(2 * limit + 3), 0);
  const auto at = [&](std::vector<long>& vec, long k) -> long& {
    return vec[static_cast<std::size_t>(k + offset)];
  };
  // trace[d] holds v for k in [-d, d] after step d.
  std::vector<std::vector<long>> trace;
  long found = -1;
  for (long d = 0; d <= limit && found < 0; ++d) {
    for (long k = -d; k <= d; k += 2) {
      long x =
          (k == -d || (k != d && at(v, k - 1) < at(v, k + 1))) ? at(v, k + 1) : at(v, k - 1) + 1;
      long y = x - k;
      while (x < n && y < m && a[static_cast<std::size_t>(x)] == b[static_cast<std::size_t>(y)]) {
        ++x;
        ++y;
      }
      at(v, k) = x;
      if (x >= n && y >= m) {
        found = d;
        break;
      }
    }
    trace.emplace_back(v.begin() + (offset - d), v.begin() + (offset + d + 1));
  }
  if (found < 0) return false;

  std::vector<DiffLine> reversed;
  long x = n;
  long y = m;
  for (long d = found; d > 0; --d) {
    const std::vector<long>& prev = trace[static_cast<std::size_t>(d - 1)];
    const auto prevAt = [&](long k) { return prev[static_cast<std::size_t>(k + d - 1)]; };
    const long k = x - y;
    const bool down = k == -d || (k != d && prevAt(k - 1) < prevAt(k + 1));
    const long prevK = down ? k + 1 : k - 1;
    const long prevX = prevAt(prevK);
    const long prevY = prevX - prevK;
    const long startX = down ? prevX : prevX + 1;
    while (x > startX) {
      --x;
      --y;
      reversed.push_back({Kind::Same, a[static_cast<std::size_t>(x)], 0});
    }
    if (down)
      reversed.push_back({Kind::Added, b[static_cast<std::size_t>(prevY)], 0});
    else
      reversed.push_back({Kind::Removed, a[static_cast<std::size_t>(prevX)], 0});
    x = prevX;
    y = prevY;
  }
  while (x > 0) {
    --x;
    reversed.push_back({Kind::Same, a[static_cast<std::size_t>(x)], 0});
  }
  out.insert(out.end(), reversed.rbegin(), reversed.rend());
  return true;
}

}  // namespace

std::vector<DiffLine> lineDiff(std::string_view before, std::string_view after,
                               std::size_t maxEdits) {
  std::vector<std::string> a = splitLines(before);
  std::vector<std::string> b = splitLines(after);
  // Lines the texts share at their start and end are unchanged whatever lies between; only
  // the middle is searched.
  std::size_t head = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
  std::size_t tail = 0;
  while (tail < a.size() - head && tail < b.size() - head &&
         a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
    ++tail;

  std::vector<DiffLine> out;
  for (std::size_t i = 0; i < head; ++i) out.push_back({Kind::Same, a[i], 0});
  const std::vector<std::string> midA(a.begin() + static_cast<long>(head),
                                      a.end() - static_cast<long>(tail));
  const std::vector<std::string> midB(b.begin() + static_cast<long>(head),
                                      b.end() - static_cast<long>(tail));
  // The search costs about (lines x edits): for long texts fewer edits are searched for, so
  // a diff of two large unrelated files comes back at once, as a whole replacement.
  constexpr std::size_t kWork = 20'000'000;
  const std::size_t lines = midA.size() + midB.size();
  if (lines > 0) maxEdits = std::min(maxEdits, kWork / lines);
  if (!myers(midA, midB, maxEdits, out)) {
    for (const std::string& line : midA) out.push_back({Kind::Removed, line, 0});
    for (const std::string& line : midB) out.push_back({Kind::Added, line, 0});
  }
  for (std::size_t i = a.size() - tail; i < a.size(); ++i) out.push_back({Kind::Same, a[i], 0});
  return out;
}

std::vector<DiffLine> withContext(const std::vector<DiffLine>& diff, std::size_t context) {
  // Distance from each line to the nearest change, looking both ways.
  const std::size_t n = diff.size();
  constexpr std::size_t kFar = static_cast<std::size_t>(-1);
  std::vector<std::size_t> near(n, kFar);
  std::size_t last = kFar;
  for (std::size_t i = 0; i < n; ++i) {
    if (diff[i].kind != Kind::Same) last = i;
    if (last != kFar) near[i] = i - last;
  }
  last = kFar;
  for (std::size_t i = n; i-- > 0;) {
    if (diff[i].kind != Kind::Same) last = i;
    if (last != kFar) near[i] = std::min(near[i], last - i);
  }
  std::vector<DiffLine> out;
  for (std::size_t i = 0; i < n; ++i) {
    if (near[i] <= context) {
      out.push_back(diff[i]);
      continue;
    }
    if (!out.empty() && out.back().kind == Kind::Skipped)
      ++out.back().skipped;
    else
      out.push_back({Kind::Skipped, {}, 1});
  }
  return out;
}

}  // namespace brindle::core
