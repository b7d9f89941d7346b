#include "core/Settings.h"

#include <limits>

#include "core/Ini.h"

namespace brindle::core {

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
  return iniWriteString(path_, section, key, value);
}

WriteResult Settings::writeInt(std::string_view section, std::string_view key, long long value) {
  return iniWriteString(path_, section, key, std::to_string(value));
}

}  // namespace brindle::core
