#include "binds/logic/Metabind.h"

#include <array>
#include <map>
#include <utility>

#include "core/DataLayout.h"
#include "core/DataPaths.h"
#include "core/FileIO.h"
#include "core/Ini.h"
#include "core/Text.h"
#include "core/TextBuffer.h"

namespace brindle::binds {
namespace {

constexpr std::string_view kSection = "metabind";
constexpr std::string_view kNoName = "error";

constexpr std::array<std::string_view, 4> kTrailerHeaders = {"\r\n[Metabind]", "\r\n[MetaBind]",
                                                             "\r\n[metabind]", "\r\n[METABIND]"};

}  // namespace

std::string metabindName(std::string_view fileText) {
  const auto name = core::iniValue(fileText, kSection, "name");
  return name ? *name : std::string(kNoName);
}

bool isListedName(std::string_view name) { return name != kNoName; }

std::string cutTrailer(std::string_view fileText) {
  for (const auto header : kTrailerHeaders) {
    const auto at = fileText.find(header);
    if (at != std::string_view::npos) return std::string(fileText.substr(0, at));
  }
  return std::string(fileText);
}

std::string placeholder(int n) { return "<<" + std::to_string(n) + ">>"; }

int highestPlaceholder(std::string_view script) {
  int highest = 0;
  for (auto at = script.find("<<"); at != std::string_view::npos; at = script.find("<<", at + 1)) {
    // Decimal without leading zeros, then ">>".
    std::size_t i = at + 2;
    if (i >= script.size() || script[i] < '1' || script[i] > '9') continue;
    int n = 0;
    while (i < script.size() && script[i] >= '0' && script[i] <= '9' && n <= kMaxMetabindSlots) {
      n = n * 10 + (script[i] - '0');
      ++i;
    }
    if (n > kMaxMetabindSlots || script.substr(i, 2) != ">>") continue;
    if (n > highest) highest = n;
  }
  return highest;
}

int metabindSlotCount(std::string_view fileText, std::string_view script) {
  const auto but = core::iniValue(fileText, kSection, "but");
  if (but) {
    const auto n = core::parseDecimal(*but);
    if (n && *n >= 1 && *n <= kMaxMetabindSlots) return static_cast<int>(*n);
  }
  return highestPlaceholder(script);
}

std::string fillPlaceholders(std::string script, const std::vector<std::string>& keys) {
  // The text is replaced as a whole for each key, so at most two copies of it are held.
  for (std::size_t i = 0; i < keys.size(); ++i) {
    core::ReplacedText r =
        core::replaceAllInText(script, placeholder(static_cast<int>(i + 1)), keys[i]);
    if (r.result.replacements != 0 && !r.result.refused) script = std::move(r.text);
  }
  return script;
}

std::vector<MetabindEntry> listMetabinds(const std::string& programDir) {
  // By file name; a file of the user's folder (when there is one) replaces a shipped one of the
  // same name.
  std::map<std::string, std::string> files;
  for (const auto& dir : core::DataLayout(programDir).metaBindFolders())
    for (const auto& fileName : core::listFiles(dir, ".mtb"))
      files[fileName] = core::withSeparator(dir) + fileName;
  std::vector<MetabindEntry> out;
  for (auto& [fileName, file] : files) {
    const core::ReadResult read = core::readFile(file, core::kMaxDocumentBytes);
    if (!read.ok) continue;  // unreadable: no name, not listed
    std::string name = metabindName(read.data);
    if (isListedName(name)) out.push_back(MetabindEntry{std::move(name), std::move(file)});
  }
  return out;
}

Metabind loadMetabind(const std::string& path) {
  Metabind m;
  core::ReadResult read = core::readFile(path, core::kMaxDocumentBytes);
  if (!read.ok) {
    m.error = std::move(read.error);
    return m;
  }
  // The text as a text control holds it, so files with other line breaks are cut as well.
  const std::string text = core::normalizeBreaks(read.data);
  m.ok = true;
  m.script = cutTrailer(text);
  m.slots = metabindSlotCount(text, m.script);
  return m;
}

}  // namespace brindle::binds
