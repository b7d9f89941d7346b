#pragma once
// The settings file Zarurud.INI beside the program. Each read and write opens the file, does
// one access and closes it. An absent string key reads as "error", an absent or non-numeric
// integer key as -1; callers apply their built-in default in both cases.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/FileIO.h"

namespace brindle::core {

inline constexpr std::string_view kSettingsFileName = "Zarurud.INI";

// Every setting the program keeps, with its section and key in the file.
enum class Setting {
  EditorBackground,  // colour, 0x00BBGGRR
  FontName,
  FontSize,
  FontColor,
  FontStyle,  // 0 regular, 1 bold, 2 italic, 3 bold italic
  MainLeft,
  MainTop,
  MainWidth,
  MainHeight,
  ValuePanelHeight,
  ValuePanelWidth,
  ValuePanelLeft,
  ValuePanelTop,
  DictionaryHeight,
  DictionaryWidth,
  DictionaryLeft,
  DictionaryTop,
  ExplanationLeft,
  ExplanationTop,
  GameConfirmed,  // 1 once a game directory was chosen with "ОК"
  GameDirectory,
  WizardGameVersion,  // 15 or 16: the game version whose forms the wizard writes
  BackupsPerFile,     // how many backups of each file are kept
};

struct SettingKey {
  std::string_view section;
  std::string_view key;
};
SettingKey keyOf(Setting setting);
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

  // A value with a line break (CR or LF) cannot be stored on its line: it is refused with a
  // Russian message and nothing is written.
  WriteResult writeString(std::string_view section, std::string_view key, std::string_view value);
  WriteResult writeInt(std::string_view section, std::string_view key, long long value);

  std::string readString(Setting s) const { return readString(keyOf(s).section, keyOf(s).key); }
  int readInt(Setting s, int fallback) const {
    return readInt(keyOf(s).section, keyOf(s).key, fallback);
  }

  // Several values written in one atomic write of the file: either all of them are stored or
  // the file stays as it was. A value with a line break is left out (its stored value stays)
  // and the result names it, not ok, while the other values are stored.
  class Batch {
   public:
    void set(Setting s, std::string value) { values_.emplace_back(s, std::move(value)); }
    void set(Setting s, long long value) { set(s, std::to_string(value)); }

   private:
    friend class Settings;
    std::vector<std::pair<Setting, std::string>> values_;
  };
  WriteResult write(const Batch& batch);

 private:
  std::string path_;
};

}  // namespace brindle::core
