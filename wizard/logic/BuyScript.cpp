#include "wizard/logic/BuyScript.h"

#include "binds/logic/KeyNames.h"
#include "core/Cp1251.h"
#include "wizard/logic/WizardText.h"

namespace brindle::wizard {

namespace {

// Every menu step ends by closing the menu it opened.
constexpr std::string_view kTail = "wait;slot10;";

}  // namespace

const std::array<BuyItem, kPrimaryCount> kPrimaryWeapons = {{
    {"", "", "", ""},
    {"AK (Automat Kalashnikov)", "ak47", "menuselect 4;wait;menuselect 1;", "ak47;"},
    {"AUG Rifle", "aug", "menuselect 4;wait;menuselect 4;", "aug;"},
    {"Colt M4A1 Carbine Rifle", "m4a1", "menuselect 4;wait;menuselect 3;", "m4a1;"},
    {"FN 249 PARA", "m249", "menuselect 5;wait;menuselect 1;", "m249;"},
    {"FN P90 SMG", "p90", "menuselect 3;wait;menuselect 3;", "p90;"},
    {"G3/SG-1 Sniper Rifle", "g3sg1", "menuselect 4;wait;menuselect 8;", "g3sg1;"},
    {"Ingram MAC10 SMG", "mac10", "menuselect 3;wait;menuselect 4;", "mac10;"},
    {"M90 Combat Shotgun", "m3", "menuselect 2;wait;menuselect 1;", "m3;"},
    {"Magnum Sniper Rifle", "awp", "menuselect 4;wait;menuselect 6;", "awp;"},
    {"MP5 Navy SMG", "mp5navy", "menuselect 3;wait;menuselect 1;", "mp5;"},
    {"Scout Sniper Rifle", "scout", "menuselect 4;wait;menuselect 5;", "scout;"},
    {"Sig SG-550 Sniper Rifle", "sg550", "menuselect 4;wait;menuselect 7;", "sg550;"},
    {"Sig SSG552 Commando", "sg552", "menuselect 4;wait;menuselect 2;", "sg552;"},
    {"Steyr TMP SMG", "tmp", "menuselect 3;wait;menuselect 2;", "tmp;"},
    {"UMP45 SMG", "ump45", "menuselect 3;wait;menuselect 5;", "ump45;"},
    {"XM 1014 Auto Shotgun", "xm1014", "menuselect 2;wait;menuselect 2;", "xm1014;"},
}};

const std::array<BuyItem, kPistolCount> kPistols = {{
    {"", "", "", ""},
    {"2x Berettas", "elite", "menuselect 1;wait;menuselect 5;", "elites;"},
    {"Desert Eagle .50", "deagle", "menuselect 1;wait;menuselect 3;", "deagle;"},
    {"FN Five-Seven", "fiveseven", "menuselect 1;wait;menuselect 6;", "fiveseven;"},
    {"Glock 18", "glock18", "menuselect 1;wait;menuselect 2;", "glock;"},
    {"Sig Sauer P228", "p228", "menuselect 1;wait;menuselect 4;", "p228;"},
    {"USP Tactical .45 ACP", "usp", "menuselect 1;wait;menuselect 1;", "usp;"},
}};

const std::array<BuyItem, kAmmoCount> kAmmunition = {{
    {"No ammo", "", "", ""},
    {"Full (для автоматов и ружей)", "full-primary", "buy;wait;menuselect 6;", "primammo;"},
    {"Full (для пистолетов)", "full-pistol", "buy;wait;menuselect 7;", "secammo;"},
    {"Full (для всего оружия)", "full-all",
     "buy;wait;menuselect 6;wait;slot10;buy;wait;menuselect 7;", "primammo;secammo;"},
    {"1 магазин (для автоматов и ружей)", "clip-primary", "buyammo1;", "buyammo1;"},
    {"1 магазин (для пистолетов)", "clip-pistol", "buyammo2;", "buyammo2;"},
    {"1 магазин (для всего оружия)", "clip-all", "buyammo1;buyammo2;", "buyammo1;buyammo2;"},
}};

// The 1.5 fragment of equipment item N is built from N (menu 8, item N).
const std::array<BuyItem, kEquipmentCount> kEquipment = {{
    {"Kevlar Vest", "kev", "", "vest;"},
    {"Kevlar Vest & Helmet", "kevhelmet", "", "vesthelm;"},
    {"Flash Grenade", "flashbang", "", "flash;"},
    {"HE Grenade", "hegrenade", "", "hegren;"},
    {"Smoke Grenade", "smokegrenade", "", "sgren;"},
    {"Bomb Defusion Kit (CT only)", "defuskid", "", "defuser;"},
    {"Night Vision Goggle", "night", "", "nvgs;"},
}};

const std::array<BuyItem, kRadioCount> kRadioPhrases = {{
    {"", "", "", ""},
    {"Fall back", "fallback", "radio2;wait;menuselect 2;", "fallback;"},
    {"Get in position", "com_getinpos", "radio2;wait;menuselect 4;", "getinpos;"},
    {"Go, go, go!", "com_go", "radio2;wait;menuselect 1;", "go;"},
    {"Report in", "com_reportin", "radio2;wait;menuselect 6;", "report;"},
    {"Stick together team", "sticktog", "radio2;wait;menuselect 3;", "sticktog;"},
    {"Storm the front", "stormfront", "radio2;wait;menuselect 5;", "stormfront;"},
    {"", "", "", ""},
    {"Enemy down", "enemydown", "radio3;wait;menuselect 9;", "enemydown;"},
    {"Enemy spotted", "ct_enemys", "radio3;wait;menuselect 2;", "enemyspot;"},
    {"I'am in position", "ct_inpos", "radio3;wait;menuselect 5;", "inposition;"},
    {"Need backup", "ct_backup", "radio3;wait;menuselect 3;", "needbackup;"},
    {"Negative", "negative", "radio3;wait;menuselect 8;", "negative;"},
    {"Reporting in", "ct_reportingin", "radio3;wait;menuselect 6;", "reportingin;"},
    {"Roger that/Affirmative", "roger", "radio3;wait;menuselect 1;", "roger;"},
    {"Sector clear", "clear", "radio3;wait;menuselect 4;", "sectorclear;"},
    {"She's gonna blow!", "blow", "radio3;wait;menuselect 7;", "getout;"},
    {"", "", "", ""},
    {"Cover me", "ct_coverme", "radio1;wait;menuselect 1;", "coverme;"},
    {"Follow me", "followme", "radio1;wait;menuselect 5;", "followme;"},
    {"Hold this position", "position", "radio1;wait;menuselect 3;", "holdpos;"},
    {"Regroup team", "regroup", "radio1;wait;menuselect 4;", "regroup;"},
    {"Taking fire, need assistance", "fireassis", "radio1;wait;menuselect 6;", "takingfire;"},
    {"You take the point", "takepoint", "radio1;wait;menuselect 2;", "takepoint;"},
}};

namespace {

template <std::size_t N>
const BuyItem* itemAt(const std::array<BuyItem, N>& items, std::size_t index) {
  return index < N ? &items[index] : nullptr;
}

// A weapon or pistol: the buy menu, its two menu choices and the closing step; or the direct
// command.
template <std::size_t N>
std::string weaponPart(const std::array<BuyItem, N>& items, std::size_t index, GameVersion mode) {
  const BuyItem* item = itemAt(items, index);
  if (index == 0 || item == nullptr) return {};
  if (mode == GameVersion::Cs16) return std::string(item->commands16);
  std::string part = "buy;wait;";
  part += item->menus15;
  part += kTail;
  return part;
}

std::string ammoPart(std::size_t index, GameVersion mode) {
  const BuyItem* item = itemAt(kAmmunition, index);
  if (index == 0 || item == nullptr) return {};
  if (mode == GameVersion::Cs16) return std::string(item->commands16);
  std::string part(item->menus15);
  part += kTail;
  return part;
}

std::string equipmentPart(const std::array<bool, kEquipmentCount>& ticked, GameVersion mode) {
  std::string part;
  for (std::size_t i = 0; i < kEquipmentCount; ++i) {
    if (!ticked[i]) continue;
    if (mode == GameVersion::Cs16) {
      part += kEquipment[i].commands16;
    } else {
      part += "buy;wait;menuselect 8;wait;menuselect ";
      part += std::to_string(i + 1);
      part += ";";
      part += kTail;
    }
  }
  return part;
}

std::string radioPart(std::size_t index, GameVersion mode) {
  const BuyItem* item = itemAt(kRadioPhrases, index);
  if (item == nullptr || item->caption.empty()) return {};
  if (mode == GameVersion::Cs16) return std::string(item->commands16);
  std::string part(item->menus15);
  part += kTail;
  return part;
}

std::string messagePart(const BuyChoice& choice) {
  if (choice.message.empty()) return {};
  std::string part = choice.audience == Audience::Team ? "say_team " : "say ";
  part += chatText(choice.message);
  return part;
}

std::string aliasLine(std::string_view name, std::string_view body) {
  std::string line = "alias \"";
  line += name;
  line += "\" \"";
  line += body;
  line += "\"";
  return line;
}

}  // namespace

std::string chatText(std::string_view message) {
  std::string text(message);
  for (char& c : text) {
    if (c == '"')
      c = '\'';
    else if (c == ';')
      c = ',';
    else if (static_cast<unsigned char>(c) < 0x20)
      c = ' ';
  }
  return text;
}

ScriptParts buildScriptParts(const BuyChoice& choice, GameVersion mode) {
  ScriptParts p;
  p.weapon = weaponPart(kPrimaryWeapons, choice.primary, mode);
  p.pistol = weaponPart(kPistols, choice.pistol, mode);
  p.ammo = ammoPart(choice.ammo, mode);
  p.equipment = equipmentPart(choice.equipment, mode);
  p.radio = radioPart(choice.radio, mode);
  p.message = messagePart(choice);
  p.purchases = p.weapon + p.pistol + p.ammo;
  return p;
}

std::string buyAliasName(std::string_view key) {
  // The key runs its binding as console text, unquoted: a key name that the console would split
  // (the apostrophe and the comma are words of their own, the semicolon ends the command) is
  // spelt out, so that the alias name stays one word.
  std::string name = "Kav-";
  if (key == "'")
    name += "APOSTROPHE";
  else if (key == ",")
    name += "COMMA";
  else if (key == ";")
    name += "SEMICOLON";
  else
    name += key;
  return name;
}

BuyBlock buildBuyBlock(std::string_view key, const ScriptParts& parts) {
  const std::string main = buyAliasName(key);
  const std::string equip = main + "_equip";
  const std::string mes = main + "_mes";
  const std::string spoken = parts.radio + parts.message;
  BuyBlock block;
  if (!parts.equipment.empty() && !spoken.empty()) {
    block.aliasLines.push_back(aliasLine(equip, parts.equipment));
    block.aliasLines.push_back(aliasLine(mes, spoken));
    block.aliasLines.push_back(aliasLine(main, parts.purchases + equip + ";" + mes));
  } else if (!parts.equipment.empty()) {
    block.aliasLines.push_back(aliasLine(equip, parts.equipment));
    block.aliasLines.push_back(aliasLine(main, parts.purchases + equip));
  } else if (!spoken.empty()) {
    block.aliasLines.push_back(aliasLine(mes, spoken));
    block.aliasLines.push_back(aliasLine(main, parts.purchases + mes));
  } else {
    block.aliasLines.push_back(aliasLine(main, parts.purchases));
  }
  block.bindLine = "bind \"" + asciiLower(key) + "\" \"" + main + "\"";
  return block;
}

namespace {

bool parseIndex(std::string_view text, std::size_t& out) {
  if (text.empty() || text.size() > 3) return false;
  std::size_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<std::size_t>(c - '0');
  }
  out = v;
  return true;
}

// Letter case ignored for ASCII and, through the code page, for Cyrillic captions.
bool sameText(std::string_view utf8a, std::string_view utf8b) {
  return core::equalsNoCase(core::fromUtf8(utf8a), core::fromUtf8(utf8b));
}

std::string_view withoutLastSemicolon(std::string_view s) {
  if (!s.empty() && s.back() == ';') s.remove_suffix(1);
  return s;
}

}  // namespace

std::optional<std::size_t> findBuyItem(const BuyItem* items, std::size_t count,
                                       std::string_view text, bool countFromOne) {
  std::size_t index = 0;
  if (parseIndex(text, index)) {
    if (countFromOne) {
      if (index == 0) return std::nullopt;
      --index;
    }
    if (index < count && !items[index].name.empty()) return index;
    return std::nullopt;
  }
  if (text.empty()) return std::nullopt;
  for (std::size_t i = 0; i < count; ++i) {
    const BuyItem& item = items[i];
    if (item.name.empty()) continue;
    if (sameText(text, item.name) || sameText(text, item.caption) ||
        sameText(text, withoutLastSemicolon(item.commands16)))
      return i;
  }
  return std::nullopt;
}

std::string canonicalKeyName(std::string_view typed) {
  for (std::string_view k : binds::kKeyNames)
    if (k == typed) return std::string(k);
  for (std::string_view k : binds::kKeyNames)
    if (core::equalsNoCase(k, typed)) return std::string(k);
  return {};
}

}  // namespace brindle::wizard
