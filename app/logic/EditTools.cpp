#include "app/logic/EditTools.h"

#include <algorithm>

namespace brindle {

void insertComment(TextBuffer& buffer) {
  buffer.replaceSel(buffer.selText() + "//");
  buffer.setFocus();
}

void insertLineBreak(TextBuffer& buffer) {
  buffer.replaceSel(buffer.selText() + "\r\n");
  buffer.setFocus();
}

void openLineBelow(TextBuffer& buffer, Offset line) {
  line = std::clamp<Offset>(line, 0, buffer.lineCount() - 1);
  buffer.putLine(line, buffer.line(line) + "\r\n");
  buffer.setFocus();
}

void deleteCaretLine(TextBuffer& buffer) { buffer.deleteLine(buffer.caretPos().line); }

void toggleSelectAll(TextBuffer& buffer) {
  if (buffer.selLength() >= 2) {
    buffer.setSelStart(buffer.selStart());
  } else {
    buffer.select(0, buffer.textLength());
  }
}

}  // namespace brindle
