#pragma once
// The settings file Zarurud.INI beside the program. Each read and write opens the file, does
// one access and closes it. An absent string key reads as "error", an absent or non-numeric
// integer key as -1; callers apply their built-in default in both cases.
#include <string>
#include <string_view>

#include "core/FileIO.h"

namespace brindle::core {

inline constexpr std::string_view kSettingsFileName = "Zarurud.INI";
inline constexpr std::string_view kAbsentText = "error";
inline constexpr int kAbsentNumber = -1;

class Settings {
 public:
  explicit Settings(std::string path) : path_(std::move(path)) {}

  const std::string& path() const { return path_; }

  std::string readString(std::string_view section, std::string_view key) const;
  int readInt(std::string_view section, std::string_view key) const;
  // The stored number, or `fallback` when the key is absent or reads as -1.
  int readInt(std::string_view section, std::string_view key, int fallback) const;

  WriteResult writeString(std::string_view section, std::string_view key, std::string_view value);
  WriteResult writeInt(std::string_view section, std::string_view key, long long value);

 private:
  std::string path_;
};

}  // namespace brindle::core
