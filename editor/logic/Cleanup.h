#pragma once
// The "Очистка" clean-up: strips characters the game does not need from a config.
//
// Seven substitutions run in order, each until none of its search strings is left (a
// replacement that creates a new occurrence is followed by another):
//   1 "  " -> " "     2 ";\r\n" -> "\r\n"   3 " \r\n" -> "\r\n"   4 "; " -> ";"
//   5 ";\"" -> "\""   6 ";;" -> ";"         7 " \"\r\n" -> "\"\r\n"
// Replacing the first occurrence from the top again and again takes quadratic time; every one
// of these rules deletes a run of one character next to a fixed context, so each becomes a
// single linear pass with the same result.
#include <string>
#include <string_view>

#include "core/TextBuffer.h"

namespace brindle::editor {

std::string cleanupText(std::string_view text);

// Cleans the whole buffer as one edit, keeping the caret offset (clamped to the new end).
// A text that needs no cleaning is left untouched and keeps its modified flag.
void cleanupBuffer(core::TextBuffer& buffer);

}  // namespace brindle::editor
