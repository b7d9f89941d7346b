#include "editor/logic/Cleanup.h"

namespace brindle::editor {
namespace {

// Collapses every run of `c` to one character ("  " -> " ", ";;" -> ";").
std::string collapseRuns(std::string_view in, char c) {
  std::string out;
  out.reserve(in.size());
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i] == c && !out.empty() && out.back() == c && i > 0 && in[i - 1] == c) continue;
    out += in[i];
  }
  return out;
}

// Deletes every run of `c` that stands directly before `context` ("x;;\r\n" -> "x\r\n").
// `context` must not begin with `c`, so a deletion never makes a new run meet a context.
std::string deleteRunsBefore(std::string_view in, char c, std::string_view context) {
  std::string out;
  out.reserve(in.size());
  std::size_t i = 0;
  while (i < in.size()) {
    if (in[i] != c) {
      out += in[i++];
      continue;
    }
    std::size_t end = i;
    while (end < in.size() && in[end] == c) ++end;
    if (in.substr(end, context.size()) != context) out.append(in.substr(i, end - i));
    i = end;
  }
  return out;
}

// Deletes every run of `c` that follows `lead` ("; ; x" -> ";;x" for lead ';', c ' ').
std::string deleteRunsAfter(std::string_view in, char lead, char c) {
  std::string out;
  out.reserve(in.size());
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i] == c && !out.empty() && out.back() == lead) continue;
    out += in[i];
  }
  return out;
}

}  // namespace

std::string cleanupText(std::string_view text) {
  std::string s = collapseRuns(text, ' ');     // 1
  s = deleteRunsBefore(s, ';', "\r\n");        // 2
  s = deleteRunsBefore(s, ' ', "\r\n");        // 3
  s = deleteRunsAfter(s, ';', ' ');            // 4
  s = deleteRunsBefore(s, ';', "\"");          // 5
  s = collapseRuns(s, ';');                    // 6
  s = deleteRunsBefore(s, ' ', "\"\r\n");      // 7
  return s;
}

void cleanupBuffer(core::TextBuffer& buffer) {
  const core::Offset caret = buffer.selStart();
  buffer.setSelStart(0);
  const std::string before = buffer.getText();
  const std::string after = cleanupText(before);
  if (after != before) {
    buffer.beginUpdate();
    buffer.select(0, static_cast<core::Offset>(before.size()));
    buffer.replaceSel(after);
    buffer.endUpdate();
  }
  buffer.setSelStart(caret);
  buffer.setFocus();
}

}  // namespace brindle::editor
