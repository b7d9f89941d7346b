#pragma once
// The "Очистка" clean-up: strips characters the game does not need from a config.
//
// Seven substitutions run in order, each until none of its search strings is left (a
// replacement that creates a new occurrence is followed by another):
//   1 "  " -> " "     2 ";\r\n" -> "\r\n"   3 " \r\n" -> "\r\n"   4 "; " -> ";"
//   5 ";\"" -> "\""   6 ";;" -> ";"         7 " \"\r\n" -> "\"\r\n"
//
// Only blanks and semicolons are ever deleted, and never all of a run that has no break or
// quote after it, so the text splits into runs of blanks and semicolons between characters that
// stay. Each run changes on its own, decided by the run and what follows it; its left
// neighbour never matters (rule 4 looks back only at a semicolon, which would belong to the
// run). The seven rules in order leave of a run:
//   - before a line break (CR LF): first the semicolons at its end go (2), then the blanks
//     now at its end (3), and the rest is treated as below;
//   - before a quote: nothing of the semicolons (5); before a quote that ends its line, nothing
//     at all (7) - and a quote ends its line also when only blanks followed by semicolons
//     stand between it and the break, as rules 2 and 3 delete them first;
//   - otherwise one blank if the run begins with a blank (1; every later blank follows a
//     semicolon, 4), then one semicolon if the run holds any (6).
// So the whole clean-up is one pass from left to right that copies the other characters as
// they are; the randomised test compares it with the seven substitutions done literally.
#include <string>
#include <string_view>

#include "core/TextBuffer.h"

namespace brindle::editor {

std::string cleanupText(std::string_view text);

// The same, in place: the text only ever gets shorter.
void cleanupInPlace(std::string& text);

// Cleans the whole buffer as one edit, keeping the caret offset (clamped to the new end).
// A text that needs no cleaning is left untouched and keeps its modified flag.
void cleanupBuffer(core::TextBuffer& buffer);

}  // namespace brindle::editor
