#include "core/Ini.h"

#include <charconv>

#include "core/Cp1251.h"
#include "core/Text.h"

namespace brindle::core {
namespace {

std::string_view trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

// One line of a text whose lines end with CR LF, a lone CR or a lone LF.
struct Line {
  std::string_view text;  // without its break
  std::size_t begin = 0;
  std::size_t next = 0;  // where the following line begins
};

// The line that begins at `begin` (< text.size()).
Line lineAt(std::string_view text, std::size_t begin) {
  std::size_t end = begin;
  while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
  std::size_t next = end;
  if (next < text.size()) {
    const bool crLf = text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n';
    next += crLf ? 2 : 1;
  }
  return Line{text.substr(begin, end - begin), begin, next};
}

// The last line of a non-empty text in file form (every line followed by CR LF).
std::string_view lastLine(std::string_view fileText) {
  const std::string_view body = fileText.substr(0, fileText.size() - kCrLf.size());
  const auto br = body.rfind('\n');
  return br == std::string_view::npos ? body : body.substr(br + 1);
}

// The section name of a header line, or nothing when the line is no header.
std::optional<std::string_view> headerName(std::string_view line) {
  const auto first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos || line[first] != '[') return std::nullopt;
  const auto close = line.rfind(']');
  if (close == std::string_view::npos || close < first) return std::nullopt;
  return trimmed(line.substr(first + 1, close - first - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyLine{trimmed(line.substr(0, eq)), trimmed(line.substr(eq + 1))};
}

std::string unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value.substr(0, kIniMaxValue));
}

// Where the first section named `section` lies: its header line, and the end of its last line
// (the next header or the end of the text).
struct Span {
  Line header;
  std::size_t end = 0;
};

// The line that holds position `at`.
Line lineHolding(std::string_view text, std::size_t at) {
  std::size_t begin = at;
  while (begin > 0 && text[begin - 1] != '\r' && text[begin - 1] != '\n') --begin;
  return lineAt(text, begin);
}

// The first header line that begins at `from` or later. Only lines with a '[' can be headers,
// so the search jumps from one to the next.
std::optional<Line> nextHeader(std::string_view text, std::size_t from) {
  for (std::size_t at = text.find('[', from); at != std::string_view::npos;) {
    const Line line = lineHolding(text, at);
    if (headerName(line.text)) return line;
    at = line.next < text.size() ? text.find('[', line.next) : std::string_view::npos;
  }
  return std::nullopt;
}

std::optional<Span> findSection(std::string_view text, std::string_view section) {
  for (auto header = nextHeader(text, 0); header; header = nextHeader(text, header->next)) {
    if (!equalsNoCase(*headerName(header->text), section)) continue;
    const auto following = nextHeader(text, header->next);
    return Span{*header, following ? following->begin : text.size()};
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> iniValue(std::string_view text, std::string_view section,
                                    std::string_view key) {
  const auto span = findSection(text, section);
  if (!span) return std::nullopt;
  for (std::size_t pos = span->header.next; pos < span->end;) {
    const Line line = lineAt(text, pos);
    pos = line.next;
    const auto kv = keyLine(line.text);
    if (kv && equalsNoCase(kv->key, key)) return unquote(kv->value);
  }
  return std::nullopt;
}

std::string IniDocument::text() const { return asFileText(text_); }

bool IniDocument::hasSection(std::string_view section) const {
  return findSection(text_, section).has_value();
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
  std::string line;
  line.reserve(key.size() + value.size() + 3);
  line.append(key).append("=").append(value).append(kCrLf);
  makeFileText(text_);
  const auto span = findSection(text_, section);
  if (!span) {
    if (!text_.empty() && !trimmed(lastLine(text_)).empty()) text_ += kCrLf;
    text_.append("[").append(section).append("]").append(kCrLf).append(line);
    return;
  }
  std::size_t insertAt = span->header.next;  // after the last line that is not blank
  for (std::size_t pos = span->header.next; pos < span->end;) {
    const Line l = lineAt(text_, pos);
    pos = l.next;
    const auto kv = keyLine(l.text);
    if (kv && equalsNoCase(kv->key, key)) {
      text_.replace(l.begin, l.next - l.begin, line);
      return;
    }
    if (!trimmed(l.text).empty()) insertAt = l.next;
  }
  text_.insert(insertAt, line);
}

IniLookup iniLookup(const std::string& path, std::string_view section, std::string_view key) {
  const ReadResult file = readFile(path, kMaxDocumentBytes);
  if (!file.ok) return IniLookup{std::nullopt, file.error};
  return IniLookup{iniValue(file.data, section, key), {}};
}

std::string iniReadString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view fallback) {
  const auto v = iniLookup(path, section, key).value;
  return v ? *v : std::string(fallback);
}

WriteResult iniWriteString(const std::string& path, std::string_view section, std::string_view key,
                           std::string_view value) {
  std::string current;
  if (pathExists(path)) {
    ReadResult file = readFile(path, kMaxDocumentBytes);
    // Never replace a settings file that exists but cannot be read with a fresh one.
    if (!file.ok) return WriteResult{false, file.error};
    current = std::move(file.data);
  }
  IniDocument doc(current);
  doc.setValue(section, key, value);
  return writeFileAtomic(path, doc.text(), Backup::Skip);
}

std::optional<long long> parseDecimal(std::string_view text) {
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  // from_chars takes a minus sign itself; after a plus there must be a digit.
  if (digits.empty() || (digits.front() == '-' && digits.size() != text.size()) ||
      digits.front() == '+')
    return std::nullopt;
  long long v = 0;
  const auto* first = digits.data();
  const auto* last = digits.data() + digits.size();
  const auto [ptr, ec] = std::from_chars(first, last, v);
  if (ec != std::errc() || ptr != last) return std::nullopt;
  return v;
}

}  // namespace brindle::core
