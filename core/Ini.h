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

// The value of `key` in `section` of an INI text, read without copying the text: memory
// stays small whatever the text's size.
std::optional<std::string> iniValue(std::string_view text, std::string_view section,
                                    std::string_view key);

// An INI text to read and change. It holds one copy of the text and finds sections and keys by
// scanning it; the first change puts it in the form a file holds (every line followed by CR LF).
class IniDocument {
 public:
  IniDocument() = default;
  explicit IniDocument(std::string_view text) : text_(text) {}

  std::optional<std::string> value(std::string_view section, std::string_view key) const {
    return iniValue(text_, section, key);
  }
  void setValue(std::string_view section, std::string_view key, std::string_view value);
  bool hasSection(std::string_view section) const;

  // The document as a file: every line followed by CR LF.
  std::string text() const;

 private:
  std::string text_;
};

// One access each, like the Windows functions: open, read or write, close.
// A missing or unreadable file reads as empty. Files over kMaxDocumentBytes are not read.
struct IniLookup {
  std::optional<std::string> value;
  std::string error;  // why the file could not be read (UTF-8), empty when it was read
};
IniLookup iniLookup(const std::string& path, std::string_view section, std::string_view key);
std::string iniReadString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view fallback);
// Writes one value into the program's settings file; being the program's own file, it is
// replaced without a backup.
WriteResult iniWriteString(const std::string& path, std::string_view section, std::string_view key,
                           std::string_view value);

// A decimal whole number with an optional sign; anything else is no number.
std::optional<long long> parseDecimal(std::string_view text);

}  // namespace brindle::core
