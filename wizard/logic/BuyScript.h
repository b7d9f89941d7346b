#pragma once
// One-key buy scripts: the items chosen on the wizard's key page become console fragments, the
// fragments become alias lines named after the key, and a bind line ties the key to the main
// alias.
//
// Two ways to buy. The buy menus of CS 1.5 are driven by "buy" and "menuselect" steps; those
// fragments are kept as players of that version know them. CS 1.6 rearranged its menus
// (equipment is item 8 there, rifle positions differ between the teams), so menu steps would
// buy the wrong things; it has direct buy and radio commands instead, which work in every menu
// layout and for either team, wherever the item exists for that team. The direct command names
// are those the game's server code accepts, as ReGameDLL_CS (github.com/s1lentq/ReGameDLL_CS)
// lists them:
//   weapons:   g_weaponBuyAliasInfo in regamedll/dlls/weapontype.cpp
//              (ak47, aug, m4a1, m249, p90, g3sg1, mac10, m3, awp, mp5, scout, sg550, sg552,
//              tmp, ump45, xm1014; elites, deagle, fiveseven, glock, p228, usp);
//   ammo and equipment: HandleBuyAliasCommands in regamedll/dlls/client.cpp
//              (primammo, secammo, vest, vesthelm, flash, hegren, sgren, defuser, nvgs);
//              buyammo1 and buyammo2 are ClientCommand strings of the same file;
//   radio:     radioInfo in regamedll/dlls/client.cpp, which maps each command to its menu and
//              position (Radio1: coverme 1, takepoint 2, holdpos 3, regroup 4, followme 5,
//              takingfire 6; Radio2: go 1, fallback 2, sticktog 3, getinpos 4, stormfront 5,
//              report 6; Radio3: roger 1, enemyspot 2, needbackup 3, sectorclear 4,
//              inposition 5, reportingin 6, getout 7, negative 8, enemydown 9).
// The radio menu positions are the same in both versions, so the 1.5 radio fragments name the
// same phrases as the direct commands.
//
// Texts: captions are UTF-8 (they are shown in lists and typed on the command line); fragments
// are ASCII; the chat message and every generated line are CP1251.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "wizard/logic/GameVersion.h"

namespace brindle::wizard {

struct BuyItem {
  std::string_view caption;     // UTF-8 list text; empty for the empty entry or a separator
  std::string_view name;        // picture name (weapons, equipment), sound name (radio) or a
                                // short name (ammunition); empty where the caption is
  std::string_view menus15;     // menu choices, ammunition text or radio text of the 1.5 menus
  std::string_view commands16;  // direct commands, each followed by ';'
};

inline constexpr std::size_t kPrimaryCount = 17;
inline constexpr std::size_t kPistolCount = 7;
inline constexpr std::size_t kAmmoCount = 7;
inline constexpr std::size_t kEquipmentCount = 7;
inline constexpr std::size_t kRadioCount = 24;

// Entry 0 of the weapon, pistol, ammunition and radio lists buys or says nothing.
extern const std::array<BuyItem, kPrimaryCount> kPrimaryWeapons;
extern const std::array<BuyItem, kPistolCount> kPistols;
extern const std::array<BuyItem, kAmmoCount> kAmmunition;
// Equipment item N (counted from 1) is entry N - 1. Entries 0 and 1 are the two armours, of
// which the page lets only one be ticked.
extern const std::array<BuyItem, kEquipmentCount> kEquipment;
// Entries 0, 7 and 17 are empty and separate the three radio menus.
extern const std::array<BuyItem, kRadioCount> kRadioPhrases;

enum class Audience { None, Team, All };

// What the user chose on the page. Indexes are list positions; the message is CP1251.
struct BuyChoice {
  std::size_t primary = 0;
  std::size_t pistol = 0;
  std::size_t ammo = 0;
  std::array<bool, kEquipmentCount> equipment{};
  std::size_t radio = 0;
  Audience audience = Audience::None;
  std::string message;
};

// The seven parts of one script: primary weapon, pistol, ammunition, equipment, radio, message
// and purchases (W + P + A). An index outside its list counts as the empty entry.
struct ScriptParts {
  std::string weapon, pistol, ammo, equipment, radio, message, purchases;
};
ScriptParts buildScriptParts(const BuyChoice& choice, GameVersion mode);

// The chat text as it can stand inside a quoted alias: a double quote would end the alias
// early and a semicolon would run the rest of the message as commands, so they become an
// apostrophe and a comma; control characters become blanks.
std::string chatText(std::string_view message);

// "Kav-KEY", the main alias of a key's script; the other two add "_equip" and "_mes". The keys
// ', , and ; are spelt out ("Kav-COMMA"), as the console would split their names.
std::string buyAliasName(std::string_view key);

// The lines BIND writes for a key: the alias lines (for the working text, or for autoexec.cfg
// when the game's config.cfg is edited) and the bind line (always for the working text).
struct BuyBlock {
  std::vector<std::string> aliasLines;
  std::string bindLine;
};
BuyBlock buildBuyBlock(std::string_view key, const ScriptParts& parts);

// Looking up list entries by what a user would type: the list position in decimal (equipment:
// its number N from 1), the name, the caption or the direct command (without its ';'), letter
// case ignored. Empty entries and separators are never found by number or text.
std::optional<std::size_t> findBuyItem(const BuyItem* items, std::size_t count,
                                       std::string_view text, bool countFromOne = false);
template <std::size_t N>
std::optional<std::size_t> findBuyItem(const std::array<BuyItem, N>& items, std::string_view text,
                                       bool countFromOne = false) {
  return findBuyItem(items.data(), N, text, countFromOne);
}

// The key name as the key list writes it, for a name typed in any letter case; empty when the
// game has no such key.
std::string canonicalKeyName(std::string_view typed);

}  // namespace brindle::wizard
