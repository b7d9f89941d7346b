#pragma once
// INI files read and written by the rules of the Windows profile functions, which the
// program's own files (settings, explanation files, MetaBind trailers) follow:
// - "[name]" lines open sections; "key=value" lines inside them hold the values;
// - section and key names compare without regard to letter case, the first match wins;
// - blanks and tabs around names and values are dropped, a value in matching single or double
//   quotes loses the quotes, and at most 2047 characters of a value are read;
// - lines outside a section, lines without '=' and other keys are ignored;
// - writing rewrites an existing key in place, or adds it at the end of its section, or adds
//   the section at the end of the file.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileIO.h"

namespace brindle::core {

inline constexpr std::size_t kIniMaxValue = 2047;

class IniDocument {
 public:
  IniDocument() = default;
  explicit IniDocument(std::string_view text);

  std::optional<std::string> value(std::string_view section, std::string_view key) const;
  void setValue(std::string_view section, std::string_view key, std::string_view value);
  bool hasSection(std::string_view section) const;

  // The document as a file: every line followed by CR LF.
  std::string text() const;

 private:
  struct Span {
    std::size_t header;  // index of the "[section]" line
    std::size_t end;     // one past the section's last line
  };
  std::optional<Span> findSection(std::string_view section) const;

  std::vector<std::string> lines_;
};

// One access each, like the Windows functions: open, read or write, close.
// A missing or unreadable file reads as empty.
std::string iniReadString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view fallback);
WriteResult iniWriteString(const std::string& path, std::string_view section,
                           std::string_view key, std::string_view value);

// A decimal whole number with an optional sign; anything else is no number.
std::optional<long long> parseDecimal(std::string_view text);

}  // namespace brindle::core
