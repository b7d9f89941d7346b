#include "core/Text.h"

#include <algorithm>

namespace brindle::core {

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2u : 1u;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const auto& l : lines) size += l.size() + 2;
  std::string out;
  out.reserve(size);
  for (const auto& l : lines) {
    out += l;
    out += kCrLf;
  }
  return out;
}

std::string normalizeBreaks(std::string_view text) {
  // Sized exactly first (each lone CR or LF gains a byte), then filled.
  const std::size_t n = text.size();
  std::size_t lone = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (text[i] == '\n') {
      ++lone;
    } else if (text[i] == '\r') {
      if (i + 1 < n && text[i + 1] == '\n')
        ++i;
      else
        ++lone;
    }
  }
  std::string out(n + lone, '\0');
  char* o = out.data();
  for (std::size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      *o++ = c;
      continue;
    }
    *o++ = '\r';
    *o++ = '\n';
    if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
  }
  return out;
}

bool breaksAreCrLf(std::string_view text) {
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (text[i] == '\n') return false;  // an LF without a CR before it (pairs are skipped)
    if (text[i] == '\r') {
      if (i + 1 == n || text[i + 1] != '\n') return false;
      ++i;
    }
  }
  return true;
}

namespace {

// Whether a text needs a break after its last line to be a file's text.
bool lastLineUnended(std::string_view text) {
  return !text.empty() && text.back() != '\r' && text.back() != '\n';
}

}  // namespace

std::string asFileText(std::string_view text) {
  std::string out = normalizeBreaks(text);
  if (lastLineUnended(text)) out += kCrLf;
  return out;
}

void makeFileText(std::string& text) {
  if (!breaksAreCrLf(text)) text = normalizeBreaks(text);
  if (lastLineUnended(text)) {
    text.reserve(text.size() + kCrLf.size());  // exactly, not double
    text += kCrLf;
  }
}

std::string baseName(std::string_view path) {
  const auto pos = path.find_last_of("/\\");
  return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::string trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t");
  return std::string(s.substr(first, last - first + 1));
}

std::string asciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = asciiLower(c);
  return out;
}

std::string asciiUpper(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return out;
}

bool asciiLessNoCase(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(asciiLower(x)) < static_cast<unsigned char>(asciiLower(y));
  });
}

}  // namespace brindle::core
