#pragma once
// The client and server settings of the wizard's pages 2-8: forty-three rows, each shown by one
// or two controls, read from the working text by its read rule and written back by its write
// rule.
//
// A row's state is held as text fields, one per control that carries a value, named by the
// console setting they stand for (the names brindle-cli shows). A choice between radio buttons is
// held as the value it writes ("0", "1", "2"); empty means no button is checked, or no text.
//
// The rows are one table (SettingsModel.cpp): each entry names the row's first field and holds
// its read rule and its write rule, so a row cannot be read one way and written another; the
// fields' kinds and ranges decide what a choice may be and refuse the others with a message.
// Rules read the commands the game runs (wizard/logic/WizardText.h), and a write changes only
// the value of the command the game applies last, in that command's own form.
//
// An apply writes only the rows whose fields differ from the state the loading pass gave them,
// so an untouched apply leaves the text as it was, and a setting absent from the file and left
// alone stays absent.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "wizard/logic/GameVersion.h"

namespace brindle::wizard {

class WizardText;

enum class Field : std::uint8_t {
  Name,               // 1
  Lefthand,           // 2
  AutoHelp,           // 3
  VguiMenus,          // 4
  MapDescription,     // 5
  ConsoleColor,       // 6
  DrawViewModel,      // 7
  CenterId,           // 8
  Radar,              // 9
  SpriteBlend,        // 10
  FastSprites,        // 11
  SmokePuffs,         // 12
  Shells,             // 13
  Decals,             // 14
  NetGraph,           // 15
  NetGraphPosition,   // 15
  MonoLights,         // 16
  ObserverCrosshair,  // 17
  Ghosts,             // 18
  AdjustCrosshair,    // 19
  Bob,                // 20
  FastSwitch,         // 21
  WaterAmp,           // 22
  MouseFilter,        // 23
  Sensitivity,        // 24
  ZoomSensitivity,    // 25
  ConsoleSpeed,       // 26
  RoundTime,          // 27
  C4Timer,            // 28
  FreezeTime,         // 29
  TimeLimit,          // 30
  MaxRounds,          // 30
  BuyTime,            // 31
  RestartRound,       // 32
  WinLimit,           // 33
  FriendlyFire,       // 34
  AutoKick,           // 35
  LimitTeams,         // 36
  HostagePenalty,     // 37
  ForceChaseCam,      // 38
  FadeToBlack,        // 39
  Flashlight,         // 40
  Footsteps,          // 41
  StartMoney,         // 42
  Rate,               // 43
};

inline constexpr std::size_t kFieldCount = static_cast<std::size_t>(Field::Rate) + 1;
inline constexpr int kRowCount = 43;

enum class FieldKind : std::uint8_t {
  Text,    // free text (the name)
  Number,  // a number field within its range; whole numbers unless the row takes fractions
  Switch,  // a radio choice of the values listed in `choices`
  Colour,  // three numbers 0-255 separated by single blanks
};

struct FieldInfo {
  Field field;
  int row;                // 1-43, the order of the apply
  int page;               // index of the wizard page that shows it (1-7)
  std::string_view name;  // stable name (brindle-cli)
  FieldKind kind;
  double minimum = 0;  // Number: the field's range
  double maximum = 0;
  std::string_view choices = {};  // Switch: the values, e.g. "01"
  bool fractions = false;         // Number: the game reads the variable as a fraction
};

const FieldInfo& fieldInfo(Field field);
const std::array<FieldInfo, kFieldCount>& allFields();
std::optional<Field> fieldByName(std::string_view name);

// The state of every row.
class SettingsValues {
 public:
  std::string& operator[](Field f) { return values_[static_cast<std::size_t>(f)]; }
  const std::string& operator[](Field f) const { return values_[static_cast<std::size_t>(f)]; }
  bool operator==(const SettingsValues&) const = default;

 private:
  std::array<std::string, kFieldCount> values_;
};

// What the loading pass found.
struct SettingsReading {
  SettingsValues values;
  // Whether the text holds the row's setting at all. The rows that always show a choice (colour,
  // crosshair adjust, bobbing, map change, team balance, connection) show one also when the
  // setting is missing; this tells the two apart.
  std::array<bool, kFieldCount> found{};
  // The value the file holds where no choice of the row shows it (net_graph "3"): the row shows
  // no choice and this hint instead; an untouched apply keeps the value.
  std::array<std::string, kFieldCount> fileValues{};
  // Messages (UTF-8) for values that cannot be read. A row that cannot be read keeps its reset
  // state; the other rows are read all the same.
  std::vector<std::string> warnings;
};

// The hint a row shows for a value that none of its choices shows (UTF-8): "в файле: 3".
std::string fileValueHint(std::string_view value);

// The reading as brindle-cli prints it (UTF-8, lines ending in LF): a "name=value" line per field,
// the value left empty where the text has no such setting or the row shows no choice; a value no
// choice shows is added after a tab as its hint.
std::string formatReading(const SettingsReading& reading);

// Reads every row from the working text, in row order.
SettingsReading readSettings(const WizardText& text, GameVersion version = kDefaultGameVersion);

// Either a value or a Russian message (UTF-8) saying why there is none.
template <typename T>
struct Checked {
  std::optional<T> value;
  std::string error;
  static Checked refused(std::string message) { return {std::nullopt, std::move(message)}; }
  explicit operator bool() const { return value.has_value(); }
};

// A choice that cannot be written, and the page that shows its row.
struct Refusal {
  Field field;
  int page;
  std::string message;  // UTF-8
};

// The first changed row whose choice cannot be written, if any: every choice is either written
// or refused with a message.
std::optional<Refusal> refusalOf(const SettingsValues& loaded, const SettingsValues& chosen);

// Writes the rows whose fields differ between `loaded` and `chosen`, in row order, into the
// working text. Returns the number of rows written. Rows that refusalOf() refuses are skipped.
int applySettings(WizardText& text, const SettingsValues& loaded, const SettingsValues& chosen,
                  GameVersion version = kDefaultGameVersion);

// The first changed row that the text, read again as the game runs it, does not show as chosen:
// a write the game would not read back (an adjust_crosshair that only an alias of the file runs,
// which no later line undoes). Such an apply must not be saved as if it had been written.
std::optional<Refusal> unreadChoice(const WizardText& text, const SettingsValues& loaded,
                                    const SettingsValues& chosen,
                                    GameVersion version = kDefaultGameVersion);

// A choice made as the page's control would make it: checks the value against the field's kind
// and range and applies the control's own handler (a map change by time clears the one by rounds
// and back). `value` is CP1251; a decimal comma is taken as a point. The error is UTF-8.
Checked<std::string> checkValue(Field field, std::string_view value);
std::string chooseValue(SettingsValues& values, Field field, std::string_view value);

// A number as the game reads a variable: blanks around it, an optional sign, digits with an
// optional decimal point; "0.000000" is 0. None for any other text.
std::optional<double> gameNumber(std::string_view text);
// The shortest text of a number, as the game prints it: "2.5", "20", "100000" (never "1e+05").
std::string numberText(double value);

// A player name as shown (UTF-8): the bytes as UTF-8 when they are valid UTF-8 with non-ASCII
// bytes (the game's client writes such names), else as CP1251. And back: an edited name in the
// same encoding as the name it replaces.
std::string nameForDisplay(std::string_view bytes);
std::string nameForFile(std::string_view utf8, std::string_view previousBytes);

// The colour list of the console colour row: item 0 "Custom..." and the sixteen standard colours.
struct ColourItem {
  std::string_view entry;  // "clBlack"
  std::string_view value;  // "0 0 0"
};
inline constexpr std::array<ColourItem, 17> kColourItems = {{
    {"Custom...", ""},
    {"clBlack", "0 0 0"},
    {"clMaroon", "165 25 10"},
    {"clGreen", "10 165 20"},
    {"clOlive", "165 155 10"},
    {"clNavy", "30 10 180"},
    {"clPurple", "140 5 75"},
    {"clTeal", "115 155 140"},
    {"clGray", "135 140 140"},
    {"clSilver", "195 195 195"},
    {"clRed", "255 0 0"},
    {"clLime", "25 255 0"},
    {"clYellow", "255 255 0"},
    {"clBlue", "0 0 255"},
    {"clFuchsia", "255 0 255"},
    {"clAqua", "0 255 255"},
    {"clWhite", "255 255 255"},
}};
// The colour shown when a file has no console colour.
inline constexpr std::string_view kDefaultConsoleColour = "255 175 95";

struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
};
// Three whole numbers separated by blanks (leading blanks ignored, anything after the third number
// ignored), each taken modulo 256. On failure `badText` gets the text that is not a number.
std::optional<Rgb> parseColour(std::string_view value, std::string* badText = nullptr);
std::string formatColour(const Rgb& rgb);
// Index of the list entry whose value is exactly `value`, or 0 (Custom...).
int colourItemOf(std::string_view value);

// The rates the connection list writes, item by item ("Никакое", the modems, ISDN, cable, xDSL,
// LAN).
inline constexpr std::array<std::string_view, 9> kConnectionRates = {
    "0", "1500", "2500", "3400", "4200", "5000", "6000", "9000", "20000"};
int connectionItemOf(std::string_view rate);

}  // namespace brindle::wizard
