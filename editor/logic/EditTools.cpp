#include "editor/logic/EditTools.h"

#include <algorithm>

namespace brindle::editor {

void insertComment(core::TextBuffer& buffer) {
  buffer.replaceSel(buffer.selText() + "//");
  buffer.setFocus();
}

void insertLineBreak(core::TextBuffer& buffer) {
  buffer.replaceSel(buffer.selText() + "\r\n");
  buffer.setFocus();
}

void openLineBelow(core::TextBuffer& buffer, core::Offset line) {
  line = std::clamp<core::Offset>(line, 0, buffer.lineCount() - 1);
  buffer.putLine(line, buffer.line(line) + "\r\n");
  buffer.setFocus();
}

void deleteCaretLine(core::TextBuffer& buffer) { buffer.deleteLine(buffer.caretPos().line); }

void toggleSelectAll(core::TextBuffer& buffer) {
  if (buffer.selLength() >= 2) {
    buffer.setSelStart(buffer.selStart());
  } else {
    buffer.select(0, buffer.textLength());
  }
}

}  // namespace brindle::editor
