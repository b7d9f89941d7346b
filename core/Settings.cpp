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
      {"Color", "PrEdit"},    {"Font", "NamePr"},   {"Font", "SizePr"},  {"Font", "ColorPr"},
      {"Font", "StylePr"},    {"MainForm", "Left"}, {"MainForm", "Top"}, {"MainForm", "Width"},
      {"MainForm", "Height"}, {"Forms", "pani1H"},  {"Forms", "pani1W"}, {"Forms", "pani1L"},
      {"Forms", "pani1T"},    {"Forms", "ccdH"},    {"Forms", "ccdW"},   {"Forms", "ccdL"},
      {"Forms", "ccdT"},      {"Forms", "f6L"},     {"Forms", "f6T"},    {"Game", "dadir"},
      {"Game", "Catalog"},
  };
  static_assert(std::size(kKeys) == static_cast<std::size_t>(Setting::GameDirectory) + 1);
  return kKeys[static_cast<std::size_t>(setting)];
}

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
  for (const auto& [setting, value] : batch.values_) {
    const SettingKey k = keyOf(setting);
    doc.setValue(k.section, k.key, value);
  }
  makeSettingsFolder(path_);
  return writeFileAtomic(path_, doc.text());
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
  makeSettingsFolder(path_);
  return iniWriteString(path_, section, key, value);
}

WriteResult Settings::writeInt(std::string_view section, std::string_view key, long long value) {
  makeSettingsFolder(path_);
  return iniWriteString(path_, section, key, std::to_string(value));
}

}  // namespace brindle::core
