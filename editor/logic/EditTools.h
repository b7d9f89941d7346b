#pragma once
// The small editing tools of the main window, on any buffer.
#include "core/TextBuffer.h"

namespace brindle::editor {

// "//": the comment marker right after the selected text (or at the caret).
void insertComment(core::TextBuffer& buffer);
// "Enter": a line break after the selected text (or at the caret), splitting the line there.
void insertLineBreak(core::TextBuffer& buffer);
// "EndEnter": a new empty line below line `line`, which stays whole; the caret goes to the
// new line. A line number past the end means the last line.
void openLineBelow(core::TextBuffer& buffer, core::Offset line);
// Deletes the line that holds the caret, with its break.
void deleteCaretLine(core::TextBuffer& buffer);
// Two or more selected characters: the selection goes (the caret stays at its start);
// otherwise the whole text is selected.
void toggleSelectAll(core::TextBuffer& buffer);

}  // namespace brindle::editor
