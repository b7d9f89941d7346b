#pragma once
// Plain-text helpers for CP1251 documents: lines and line breaks.
#include <string>
#include <string_view>
#include <vector>

namespace brindle::core {

inline constexpr std::string_view kCrLf = "\r\n";

// The text as lines: CR LF, a lone CR and a lone LF each end a line; a break after the last
// line adds no empty line.
std::vector<std::string> splitLines(std::string_view text);

// The lines joined, each followed by CR LF (the form in which every file is written).
std::string joinLines(const std::vector<std::string>& lines);

// Every line break (CR LF, lone CR, lone LF) as CR LF; nothing else changes.
std::string normalizeBreaks(std::string_view text);

// Whether every line break of `text` is a CR LF pair already (normalizeBreaks would change
// nothing).
bool breaksAreCrLf(std::string_view text);

// The text as a file holds it: each line followed by CR LF (joinLines(splitLines(text)),
// without building the lines).
std::string asFileText(std::string_view text);
// The same, in place.
void makeFileText(std::string& text);

// Last path component, whichever separator ('/' or '\') the path uses.
std::string baseName(std::string_view path);

std::string trim(std::string_view s);

// ASCII letters in lower or upper case; other bytes (Cyrillic letters of CP1251 among them) stay.
// Names of commands, variables and keys are ASCII, and the console compares them so.
inline char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
inline bool isAsciiLetter(char c) { return asciiLower(c) >= 'a' && asciiLower(c) <= 'z'; }
// Whether `a` sorts before `b` with ASCII letters compared without regard to case.
bool asciiLessNoCase(std::string_view a, std::string_view b);
std::string asciiLower(std::string_view s);
std::string asciiUpper(std::string_view s);

}  // namespace brindle::core
