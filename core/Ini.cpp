#include "core/Ini.h"

#include <charconv>

#include "core/Cp1251.h"
#include "core/Text.h"

namespace brindle::core {
namespace {

// The section name of a header line, or nothing when the line is no header.
std::optional<std::string_view> headerName(std::string_view line) {
  const auto first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos || line[first] != '[') return std::nullopt;
  const auto close = line.rfind(']');
  if (close == std::string_view::npos || close < first) return std::nullopt;
  std::string_view name = line.substr(first + 1, close - first - 1);
  while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
  while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
  return name;
}

struct KeyLine {
  std::string key;
  std::string value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyLine{trim(line.substr(0, eq)), trim(line.substr(eq + 1))};
}

std::string unquote(std::string value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  if (value.size() > kIniMaxValue) value.resize(kIniMaxValue);
  return value;
}

}  // namespace

IniDocument::IniDocument(std::string_view text) : lines_(splitLines(text)) {}

std::optional<IniDocument::Span> IniDocument::findSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = headerName(lines_[i]);
    if (!name || !core::equalsNoCase(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines_.size() && !headerName(lines_[end])) ++end;
    return Span{i, end};
  }
  return std::nullopt;
}

bool IniDocument::hasSection(std::string_view section) const {
  return findSection(section).has_value();
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
  const auto span = findSection(section);
  if (!span) return std::nullopt;
  for (std::size_t i = span->header + 1; i < span->end; ++i) {
    const auto kv = keyLine(lines_[i]);
    if (kv && core::equalsNoCase(kv->key, key)) return unquote(kv->value);
  }
  return std::nullopt;
}

void IniDocument::setValue(std::string_view section, std::string_view key,
                           std::string_view value) {
  std::string line;
  line.reserve(key.size() + value.size() + 1);
  line.append(key).append("=").append(value);
  const auto span = findSection(section);
  if (!span) {
    if (!lines_.empty() && !trim(lines_.back()).empty()) lines_.emplace_back();
    std::string header;
    header.reserve(section.size() + 2);
    header.append("[").append(section).append("]");
    lines_.push_back(std::move(header));
    lines_.push_back(line);
    return;
  }
  std::size_t lastNonEmpty = span->header;
  for (std::size_t i = span->header + 1; i < span->end; ++i) {
    const auto kv = keyLine(lines_[i]);
    if (kv && core::equalsNoCase(kv->key, key)) {
      lines_[i] = line;
      return;
    }
    if (!trim(lines_[i]).empty()) lastNonEmpty = i;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastNonEmpty + 1), line);
}

std::string IniDocument::text() const { return joinLines(lines_); }

std::string iniReadString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view fallback) {
  const ReadResult file = readFile(path);
  if (!file.ok) return std::string(fallback);
  const auto v = IniDocument(file.data).value(section, key);
  return v ? *v : std::string(fallback);
}

WriteResult iniWriteString(const std::string& path, std::string_view section,
                           std::string_view key, std::string_view value) {
  std::string current;
  if (pathExists(path)) {
    ReadResult file = readFile(path);
    // Never replace a settings file that exists but cannot be read with a fresh one.
    if (!file.ok) return WriteResult{false, file.error};
    current = std::move(file.data);
  }
  IniDocument doc(current);
  doc.setValue(section, key, value);
  return writeFileAtomic(path, doc.text());
}

std::optional<long long> parseDecimal(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::string_view digits = text;
  if (digits.front() == '+') digits.remove_prefix(1);
  if (digits.empty() || digits.front() == '+') return std::nullopt;
  long long v = 0;
  const auto* first = digits.data();
  const auto* last = digits.data() + digits.size();
  const auto [ptr, ec] = std::from_chars(first, last, v);
  if (ec != std::errc() || ptr != last) return std::nullopt;
  return v;
}

}  // namespace brindle::core
