#include "overview/logic/Keyboard.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "core/Text.h"

namespace brindle::overview {
namespace {

std::string lowered(std::string_view s) { return core::asciiLower(s); }

// A full-size US keyboard: function row, main block, the six keys above the arrows, the arrows,
// the keypad; then the mouse. Keys the game cannot bind (Windows keys, Print Screen, Scroll
// Lock, Num Lock, the menu key) are drawn without a name. Names are in core::keySpelling's
// form: the letter keys send their lower-case letter, ';' is SEMICOLON.
constexpr std::array kLayout = {
    // function row
    KeyCap{"ESCAPE", "Esc", 0, 0, 4, 4},
    KeyCap{"F1", "F1", 8, 0, 4, 4},
    KeyCap{"F2", "F2", 12, 0, 4, 4},
    KeyCap{"F3", "F3", 16, 0, 4, 4},
    KeyCap{"F4", "F4", 20, 0, 4, 4},
    KeyCap{"F5", "F5", 26, 0, 4, 4},
    KeyCap{"F6", "F6", 30, 0, 4, 4},
    KeyCap{"F7", "F7", 34, 0, 4, 4},
    KeyCap{"F8", "F8", 38, 0, 4, 4},
    KeyCap{"F9", "F9", 44, 0, 4, 4},
    KeyCap{"F10", "F10", 48, 0, 4, 4},
    KeyCap{"F11", "F11", 52, 0, 4, 4},
    KeyCap{"F12", "F12", 56, 0, 4, 4},
    KeyCap{"", "PrtSc", 61, 0, 4, 4},
    KeyCap{"", "ScrLk", 65, 0, 4, 4},
    KeyCap{"PAUSE", "Pause", 69, 0, 4, 4},
    // digits row
    KeyCap{"`", "`", 0, 6, 4, 4},
    KeyCap{"1", "1", 4, 6, 4, 4},
    KeyCap{"2", "2", 8, 6, 4, 4},
    KeyCap{"3", "3", 12, 6, 4, 4},
    KeyCap{"4", "4", 16, 6, 4, 4},
    KeyCap{"5", "5", 20, 6, 4, 4},
    KeyCap{"6", "6", 24, 6, 4, 4},
    KeyCap{"7", "7", 28, 6, 4, 4},
    KeyCap{"8", "8", 32, 6, 4, 4},
    KeyCap{"9", "9", 36, 6, 4, 4},
    KeyCap{"0", "0", 40, 6, 4, 4},
    KeyCap{"-", "-", 44, 6, 4, 4},
    KeyCap{"=", "=", 48, 6, 4, 4},
    KeyCap{"BACKSPACE", "Backspace", 52, 6, 8, 4},
    KeyCap{"INS", "Ins", 61, 6, 4, 4},
    KeyCap{"HOME", "Home", 65, 6, 4, 4},
    KeyCap{"PGUP", "PgUp", 69, 6, 4, 4},
    KeyCap{"", "Num", 74, 6, 4, 4},
    KeyCap{"KP_SLASH", "/", 78, 6, 4, 4},
    KeyCap{"*", "*", 82, 6, 4, 4},
    KeyCap{"KP_MINUS", "-", 86, 6, 4, 4},
    // upper letter row
    KeyCap{"TAB", "Tab", 0, 10, 6, 4},
    KeyCap{"q", "Q", 6, 10, 4, 4},
    KeyCap{"w", "W", 10, 10, 4, 4},
    KeyCap{"e", "E", 14, 10, 4, 4},
    KeyCap{"r", "R", 18, 10, 4, 4},
    KeyCap{"t", "T", 22, 10, 4, 4},
    KeyCap{"y", "Y", 26, 10, 4, 4},
    KeyCap{"u", "U", 30, 10, 4, 4},
    KeyCap{"i", "I", 34, 10, 4, 4},
    KeyCap{"o", "O", 38, 10, 4, 4},
    KeyCap{"p", "P", 42, 10, 4, 4},
    KeyCap{"[", "[", 46, 10, 4, 4},
    KeyCap{"]", "]", 50, 10, 4, 4},
    KeyCap{"\\", "\\", 54, 10, 6, 4},
    KeyCap{"DEL", "Del", 61, 10, 4, 4},
    KeyCap{"END", "End", 65, 10, 4, 4},
    KeyCap{"PGDN", "PgDn", 69, 10, 4, 4},
    KeyCap{"KP_HOME", "7", 74, 10, 4, 4},
    KeyCap{"KP_UPARROW", "8", 78, 10, 4, 4},
    KeyCap{"KP_PGUP", "9", 82, 10, 4, 4},
    KeyCap{"KP_PLUS", "+", 86, 10, 4, 8},
    // middle letter row
    KeyCap{"CAPSLOCK", "Caps", 0, 14, 7, 4},
    KeyCap{"a", "A", 7, 14, 4, 4},
    KeyCap{"s", "S", 11, 14, 4, 4},
    KeyCap{"d", "D", 15, 14, 4, 4},
    KeyCap{"f", "F", 19, 14, 4, 4},
    KeyCap{"g", "G", 23, 14, 4, 4},
    KeyCap{"h", "H", 27, 14, 4, 4},
    KeyCap{"j", "J", 31, 14, 4, 4},
    KeyCap{"k", "K", 35, 14, 4, 4},
    KeyCap{"l", "L", 39, 14, 4, 4},
    KeyCap{"SEMICOLON", ";", 43, 14, 4, 4},
    KeyCap{"'", "'", 47, 14, 4, 4},
    KeyCap{"ENTER", "Enter", 51, 14, 9, 4},
    KeyCap{"KP_LEFTARROW", "4", 74, 14, 4, 4},
    KeyCap{"KP_5", "5", 78, 14, 4, 4},
    KeyCap{"KP_RIGHTARROW", "6", 82, 14, 4, 4},
    // lower letter row
    KeyCap{"SHIFT", "Shift", 0, 18, 9, 4},
    KeyCap{"z", "Z", 9, 18, 4, 4},
    KeyCap{"x", "X", 13, 18, 4, 4},
    KeyCap{"c", "C", 17, 18, 4, 4},
    KeyCap{"v", "V", 21, 18, 4, 4},
    KeyCap{"b", "B", 25, 18, 4, 4},
    KeyCap{"n", "N", 29, 18, 4, 4},
    KeyCap{"m", "M", 33, 18, 4, 4},
    KeyCap{",", ",", 37, 18, 4, 4},
    KeyCap{".", ".", 41, 18, 4, 4},
    KeyCap{"/", "/", 45, 18, 4, 4},
    KeyCap{"SHIFT", "Shift", 49, 18, 11, 4},
    KeyCap{"UPARROW", "↑", 65, 18, 4, 4},
    KeyCap{"KP_END", "1", 74, 18, 4, 4},
    KeyCap{"KP_DOWNARROW", "2", 78, 18, 4, 4},
    KeyCap{"KP_PGDN", "3", 82, 18, 4, 4},
    KeyCap{"KP_ENTER", "Enter", 86, 18, 4, 8},
    // bottom row
    KeyCap{"CTRL", "Ctrl", 0, 22, 5, 4},
    KeyCap{"", "Win", 5, 22, 5, 4},
    KeyCap{"ALT", "Alt", 10, 22, 5, 4},
    KeyCap{"SPACE", "Space", 15, 22, 25, 4},
    KeyCap{"ALT", "Alt", 40, 22, 5, 4},
    KeyCap{"", "Win", 45, 22, 5, 4},
    KeyCap{"", "Menu", 50, 22, 5, 4},
    KeyCap{"CTRL", "Ctrl", 55, 22, 5, 4},
    KeyCap{"LEFTARROW", "←", 61, 22, 4, 4},
    KeyCap{"DOWNARROW", "↓", 65, 22, 4, 4},
    KeyCap{"RIGHTARROW", "→", 69, 22, 4, 4},
    KeyCap{"KP_INS", "0", 74, 22, 8, 4},
    KeyCap{"KP_DEL", ".", 82, 22, 4, 4},
    // the mouse: left and right buttons either side of the wheel, the side buttons below
    KeyCap{"MOUSE1", "Левая", 94, 6, 7, 12},
    KeyCap{"MWHEELUP", "Колесо ↑", 101, 6, 6, 4},
    KeyCap{"MOUSE3", "Средняя", 101, 10, 6, 4},
    KeyCap{"MWHEELDOWN", "Колесо ↓", 101, 14, 6, 4},
    KeyCap{"MOUSE2", "Правая", 107, 6, 7, 12},
    KeyCap{"MOUSE5", "Вперёд", 94, 18, 10, 4},
    KeyCap{"MOUSE4", "Назад", 94, 22, 10, 4},
};

// Command names by role. Buy aliases of the game: ReGameDLL_CS regamedll/dlls/weapontype.cpp
// (g_weaponBuyAliasInfo) and client.cpp (the equipment and ammunition aliases); radio
// commands: regamedll/dlls/client.cpp (the radio menu commands).
constexpr std::string_view kMovement[] = {
    "+forward",  "+back",      "+moveleft", "+moveright", "+jump",   "+duck",    "+speed",
    "+left",     "+right",     "+lookup",   "+lookdown",  "+strafe", "+moveup",  "+movedown",
    "+klook",    "+mlook",     "+jlook",    "centerview", "+walk",   "-forward", "-back",
    "-moveleft", "-moveright", "-jump",     "-duck",      "-speed",  "+use"};
constexpr std::string_view kWeapons[] = {
    "slot1",    "slot2",   "slot3",  "slot4",   "slot5",    "slot6",       "slot7",
    "slot8",    "slot9",   "slot10", "lastinv", "invnext",  "invprev",     "+attack",
    "+attack2", "+reload", "drop",   "-attack", "-attack2", "nightvision", "+attack3"};
constexpr std::string_view kBuy[] = {
    "buy",      "buymenu",  "buyequip",  "autobuy", "rebuy",       "p228",      "228compact",
    "glock",    "9x19mm",   "scout",     "xm1014",  "autoshotgun", "mac10",     "aug",
    "bullpup",  "elites",   "fiveseven", "fn57",    "ump45",       "sg550",     "krieg550",
    "galil",    "defender", "famas",     "clarion", "usp",         "km45",      "awp",
    "magnum",   "mp5",      "smg",       "m249",    "m3",          "12gauge",   "m4a1",
    "tmp",      "mp",       "g3sg1",     "d3au1",   "deagle",      "nighthawk", "sg552",
    "krieg552", "ak47",     "cv47",      "p90",     "c90",         "vest",      "vesthelm",
    "flash",    "hegren",   "sgren",     "defuser", "nvgs",        "shield",    "primammo",
    "secammo",  "buyammo1", "buyammo2"};
constexpr std::string_view kRadioChat[] = {
    "radio1",     "radio2",       "radio3",  "messagemode", "messagemode2", "say",
    "say_team",   "+voicerecord", "coverme", "takepoint",   "holdpos",      "regroup",
    "followme",   "takingfire",   "go",      "fallback",    "sticktog",     "getinpos",
    "stormfront", "report",       "roger",   "enemyspot",   "needbackup",   "sectorclear",
    "inposition", "reportingin",  "getout",  "negative",    "enemydown",    "-voicerecord"};

template <std::size_t N>
bool listed(const std::string_view (&list)[N], std::string_view name) {
  return std::any_of(std::begin(list), std::end(list),
                     [&](std::string_view n) { return n == name; });
}

KeyRole roleOfCommand(std::string_view name) {
  const std::string n = lowered(name);
  if (n.empty()) return KeyRole::Unbound;
  if (listed(kMovement, n)) return KeyRole::Movement;
  if (listed(kWeapons, n) || n.rfind("weapon_", 0) == 0) return KeyRole::Weapons;
  if (listed(kBuy, n)) return KeyRole::Buy;
  if (listed(kRadioChat, n)) return KeyRole::RadioChat;
  return KeyRole::Other;
}

// The role of the first command of a value that has one.
KeyRole roleOfValue(std::string_view value) {
  std::size_t i = 0;
  while (i < value.size()) {
    std::size_t end = value.find(';', i);
    if (end == std::string_view::npos) end = value.size();
    const KeyRole r = roleOfCommand(firstCommandOf(value.substr(i, end - i)));
    if (r != KeyRole::Other && r != KeyRole::Unbound) return r;
    i = end + 1;
  }
  return KeyRole::Other;
}

}  // namespace

std::span<const KeyCap> keyboardLayout() { return kLayout; }

int layoutWidth() { return 114; }
int layoutHeight() { return 26; }

const KeyCap* findKeyCap(std::string_view name) {
  const std::string wanted = core::keySpelling(name);
  for (const KeyCap& k : kLayout)
    if (!k.name.empty() && k.name == wanted) return &k;
  return nullptr;
}

KeyRole roleOf(std::string_view value, std::string_view aliasValue) {
  if (firstCommandOf(value).empty()) return KeyRole::Unbound;
  const KeyRole direct = roleOfValue(value);
  if (direct != KeyRole::Other || aliasValue.empty()) return direct;
  return roleOfValue(aliasValue);
}

std::string_view roleCaption(KeyRole role) {
  switch (role) {
    case KeyRole::Unbound:
      return "не назначена";
    case KeyRole::Movement:
      return "движение";
    case KeyRole::Weapons:
      return "оружие";
    case KeyRole::Buy:
      return "закупка";
    case KeyRole::RadioChat:
      return "радио и чат";
    case KeyRole::Other:
      return "прочее";
  }
  return {};
}

std::map<std::string, KeyFace, std::less<>> keyFaces(const editor::EffectiveConfig& config) {
  std::map<std::string, KeyFace, std::less<>> faces;
  for (const editor::EffectiveEntry& key : config.keys) {
    KeyFace face;
    face.entry = &key;
    face.severalFiles = key.fileCount() > 1;
    face.overridden = key.history.size() > 1;
    if (key.present()) {
      const std::string& value = key.decisive().value;
      face.role = roleOf(value, key.aliasValue);
      face.caption = key.alias.empty() ? value : key.alias + "\n" + firstCommandOf(key.aliasValue);
    }
    const KeyCap* cap = findKeyCap(key.name);
    faces[std::string(cap != nullptr ? cap->name : std::string_view(key.name))] = std::move(face);
  }
  return faces;
}

}  // namespace brindle::overview
