// The INI reader and writer: a value written reads back, from the document and from its text
// as a file holds it, and writing one value changes no other.
#include <fuzzer/FuzzedDataProvider.h>

#include "core/Cp1251.h"
#include "core/Ini.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace brindle;

namespace {

bool blankAtEnds(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  return !s.empty() && (blank(s.front()) || blank(s.back()));
}

// Names and values the file format can hold: one line, no blanks around them; a key without
// '=' that cannot be taken for a section header; a value not wrapped in quotes the reader
// would strip, and no longer than the reader reads.
bool writable(std::string_view section, std::string_view key, std::string_view value) {
  const auto oneLine = [](std::string_view s) { return s.find_first_of("\r\n") == s.npos; };
  if (!oneLine(section) || !oneLine(key) || !oneLine(value)) return false;
  if (blankAtEnds(section) || blankAtEnds(key) || blankAtEnds(value)) return false;
  if (key.empty() || key.find('=') != key.npos) return false;
  if (key.front() == '[') return false;
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return false;
  return value.size() <= core::kIniMaxValue;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string section = in.ConsumeRandomLengthString(24);
  const std::string key = in.ConsumeRandomLengthString(24);
  const std::string value = in.ConsumeRandomLengthString(64);
  const std::string otherSection = in.ConsumeRandomLengthString(24);
  const std::string otherKey = in.ConsumeRandomLengthString(24);
  const std::string text = in.ConsumeRemainingBytesAsString();

  core::IniDocument doc(text);
  // The reader reads without copying; the document agrees with it.
  const auto before = core::iniValue(text, otherSection, otherKey);
  FUZZ_REQUIRE(doc.value(otherSection, otherKey) == before);
  if (before) FUZZ_REQUIRE(before->size() <= core::kIniMaxValue);
  const bool hadSection = doc.hasSection(section);

  if (!writable(section, key, value)) return 0;
  doc.setValue(section, key, value);
  FUZZ_REQUIRE(doc.value(section, key) == value);
  FUZZ_REQUIRE(doc.hasSection(section));
  const std::string file = doc.text();
  FUZZ_REQUIRE(core::iniValue(file, section, key) == value);
  // Adding a line grows the text by about that line (and a header when the section is new).
  FUZZ_REQUIRE(file.size() <= 2 * text.size() + 2 + section.size() + key.size() + value.size() + 8);
  if (!hadSection) FUZZ_REQUIRE(file.find("[" + section + "]") != std::string::npos);

  // Every other value stays as it was.
  if (!core::equalsNoCase(section, otherSection) || !core::equalsNoCase(key, otherKey))
    FUZZ_REQUIRE(core::iniValue(file, otherSection, otherKey) == before);

  // Writing the same value again changes nothing.
  core::IniDocument again(file);
  again.setValue(section, key, value);
  FUZZ_REQUIRE(again.text() == file);
  return 0;
}
