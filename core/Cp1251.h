#pragma once
// Code page 1251 <-> Unicode. Every byte value maps to exactly one code point and back, so a
// text survives any number of round trips; 0x98, unassigned in the code page, maps to U+0098.
#include <string>
#include <string_view>

namespace brindle::core {

char32_t toUnicode(unsigned char byte);
// The byte for a code point, or -1 when the code page has no such character.
int fromUnicode(char32_t codePoint);

std::string toUtf8(std::string_view cp1251Text);
// Characters the code page lacks become `replacement`; so does each byte of malformed UTF-8
// (bytes out of place, overlong forms, UTF-16 surrogates, values beyond U+10FFFF).
std::string fromUtf8(std::string_view utf8Text, char replacement = '?');

// Letter case folding as the game and the INI reader compare names: Latin and Cyrillic letters.
unsigned char toLower(unsigned char byte);
bool equalsNoCase(std::string_view a, std::string_view b);

}  // namespace brindle::core
