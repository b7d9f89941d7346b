#pragma once
// The difference between two texts, line by line: the shortest list of removed and added
// lines that turns the old text into the new one (Myers' algorithm), with the unchanged lines
// in between. Lines are compared as bytes; a text's line breaks (CR LF, LF, CR) all count as one.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace brindle::core {

struct DiffLine {
  enum class Kind { Same, Removed, Added, Skipped };
  Kind kind = Kind::Same;
  std::string text;  // for Skipped: empty; `skipped` tells how many unchanged lines it stands for
  std::size_t skipped = 0;
};

// Every line of both texts: unchanged, removed from `before` or added in `after`. Texts whose
// difference is too long to search for in reasonable time (more than `maxEdits` changed
// lines, fewer for texts of many lines) give every old line removed and every new line added
// between the lines they share at their start and end.
std::vector<DiffLine> lineDiff(std::string_view before, std::string_view after,
                               std::size_t maxEdits = 2000);

// The diff with long runs of unchanged lines shortened to `context` lines around each change
// and one Skipped line for the rest.
std::vector<DiffLine> withContext(const std::vector<DiffLine>& diff, std::size_t context = 3);

}  // namespace brindle::core
