#include "core/Settings.h"

#include <iterator>
#include <limits>

#include "core/DataPaths.h"
#include "core/Ini.h"

namespace brindle::core {
namespace {

// The user's configuration folder of an installed program may not be there yet; a failure to
// make it shows as the write's own failure.
void makeSettingsFolder(const std::string& path) { makeFolders(folderOf(path)); }

}  // namespace

SettingKey keyOf(Setting setting) {
  static constexpr SettingKey kKeys[] = {
      {"Color", "PrEdit"},       {"Font", "NamePr"},     {"Font", "SizePr"},
      {"Font", "ColorPr"},       {"Font", "StylePr"},    {"MainForm", "Left"},
      {"MainForm", "Top"},       {"MainForm", "Width"},  {"MainForm", "Height"},
      {"Forms", "pani1H"},       {"Forms", "pani1W"},    {"Forms", "pani1L"},
      {"Forms", "pani1T"},       {"Forms", "ccdH"},      {"Forms", "ccdW"},
      {"Forms", "ccdL"},         {"Forms", "ccdT"},      {"Forms", "f6L"},
      {"Forms", "f6T"},          {"Game", "dadir"},      {"Game", "Catalog"},
      {"Wizard", "GameVersion"}, {"Backups", "PerFile"},
  };
  static_assert(std::size(kKeys) == static_cast<std::size_t>(Setting::BackupsPerFile) + 1);
  return kKeys[static_cast<std::size_t>(setting)];
}

namespace {

// An INI value ends at the line break: a value holding one would come back cut, and its rest
// would stand in the file as lines of their own, which can even be read as other settings.
bool fitsOnOneLine(std::string_view value) {
  return value.find_first_of("\r\n") == std::string_view::npos;
}

std::string refusal(std::string_view section, std::string_view key, std::string_view value) {
  std::string shown(value);
  for (char& c : shown)
    if (c == '\r' || c == '\n') c = ' ';
  return "Настройка " + std::string(section) + "/" + std::string(key) +
         " не сохранена: её значение содержит перевод строки, а в файле настроек значение "
         "занимает одну строку. Значение: \"" +
         shown + "\"";
}

}  // namespace

WriteResult Settings::write(const Batch& batch) {
  // A file that exists but cannot be read is never overwritten: its other sections would be
  // lost.
  std::string text;
  if (pathExists(path_)) {
    const ReadResult r = readFile(path_);
    if (!r.ok) return WriteResult{false, r.error};
    text = r.data;
  }
  IniDocument doc(text);
  std::string refused;
  for (const auto& [setting, value] : batch.values_) {
    const SettingKey k = keyOf(setting);
    if (fitsOnOneLine(value)) {
      doc.setValue(k.section, k.key, value);
    } else {
      if (!refused.empty()) refused += "\n";
      refused += refusal(k.section, k.key, value);
    }
  }
  makeSettingsFolder(path_);
  // The values that fit are stored all the same; the refused ones keep their stored value.
  WriteResult written = writeFileAtomic(path_, doc.text(), Backup::Skip);
  if (written.ok && !refused.empty()) written = WriteResult{false, refused};
  return written;
}

std::string Settings::readString(std::string_view section, std::string_view key) const {
  return iniReadString(path_, section, key, kAbsentText);
}

int Settings::readInt(std::string_view section, std::string_view key) const {
  const std::string text = iniReadString(path_, section, key, "");
  const auto v = parseDecimal(text);
  if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max())
    return kAbsentNumber;
  return static_cast<int>(*v);
}

int Settings::readInt(std::string_view section, std::string_view key, int fallback) const {
  const int v = readInt(section, key);
  return v == kAbsentNumber ? fallback : v;
}

WriteResult Settings::writeString(std::string_view section, std::string_view key,
                                  std::string_view value) {
  if (!fitsOnOneLine(value)) return WriteResult{false, refusal(section, key, value)};
  makeSettingsFolder(path_);
  return iniWriteString(path_, section, key, value);
}

WriteResult Settings::writeInt(std::string_view section, std::string_view key, long long value) {
  makeSettingsFolder(path_);
  return iniWriteString(path_, section, key, std::to_string(value));
}

}  // namespace brindle::core
