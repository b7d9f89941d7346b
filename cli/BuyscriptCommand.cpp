// brindle-cli buyscript: the alias lines and the bind line that the wizard's BIND button writes
// for one key, from items named on the command line.
#include <cstdio>
#include <optional>
#include <string>

#include "cli/Commands.h"
#include "core/Cp1251.h"
#include "wizard/logic/BuyScript.h"

namespace brindle::cli {

namespace {

constexpr const char* kUsage =
    "brindle-cli buyscript --key NAME [--mode 1.5|1.6] [--primary ITEM] [--pistol ITEM]\n"
    "                      [--ammo ITEM] [--equip ITEM,...] [--radio ITEM]\n"
    "                      [--team TEXT | --all TEXT]\n";

int fail(const std::string& message) {
  std::fprintf(stderr, "brindle-cli buyscript: %s\n", message.c_str());
  return 2;
}

// The items of a list as the help and the error message offer them: "number name (caption)"
// per entry, and the game's own command where it is one word ("vesthelm", "go").
template <std::size_t N>
std::string listing(const std::array<wizard::BuyItem, N>& items, bool countFromOne) {
  std::string s;
  for (std::size_t i = 0; i < N; ++i) {
    if (items[i].name.empty()) continue;
    s += "  " + std::to_string(countFromOne ? i + 1 : i) + " " + std::string(items[i].name) + " (" +
         std::string(items[i].caption) + ")";
    std::string_view command = items[i].commands16;
    if (!command.empty() && command.back() == ';') command.remove_suffix(1);
    if (!command.empty() && command != items[i].name && command.find(';') == std::string_view::npos)
      s += ", " + std::string(command);
    s += "\n";
  }
  return s;
}

std::string help() {
  return std::string(kUsage) +
         "ITEM: номер, имя, подпись или команда игры (без учёта регистра букв);\n"
         "--equip: несколько через запятую. --mode: версия игры (по умолчанию 1.6).\n"
         "\n--primary:\n" +
         listing(wizard::kPrimaryWeapons, false) + "--pistol:\n" +
         listing(wizard::kPistols, false) + "--ammo:\n" + listing(wizard::kAmmunition, false) +
         "--equip:\n" + listing(wizard::kEquipment, true) + "--radio:\n" +
         listing(wizard::kRadioPhrases, false);
}

template <std::size_t N>
std::optional<std::size_t> lookUp(const std::array<wizard::BuyItem, N>& items,
                                  const std::string& option, const std::string& text,
                                  bool countFromOne = false) {
  const auto found = wizard::findBuyItem(items, text, countFromOne);
  if (!found)
    std::fprintf(stderr, "brindle-cli buyscript: %s: нет такого предмета \"%s\"; есть:\n%s",
                 option.c_str(), text.c_str(), listing(items, countFromOne).c_str());
  return found;
}

}  // namespace

int buyscript(const std::vector<std::string>& args) {
  std::string key;
  wizard::GameVersion mode = wizard::kDefaultGameVersion;
  wizard::BuyChoice choice;
  bool haveMessage = false;

  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "-h" || a == "--help") {
      std::fputs(help().c_str(), stdout);
      return 0;
    }
    if (a.rfind("--", 0) != 0) return fail("лишний аргумент \"" + a + "\"\n" + kUsage);
    if (i + 1 >= args.size()) return fail("после " + a + " укажите значение");
    const std::string& v = args[++i];
    if (a == "--key") {
      key = wizard::canonicalKeyName(v);
      if (key.empty()) return fail("нет такой клавиши \"" + v + "\"");
    } else if (a == "--mode") {
      if (v == "1.5")
        mode = wizard::GameVersion::Cs15;
      else if (v == "1.6")
        mode = wizard::GameVersion::Cs16;
      else
        return fail("режим должен быть 1.5 или 1.6, а не \"" + v + "\"");
    } else if (a == "--primary") {
      const auto f = lookUp(wizard::kPrimaryWeapons, a, v);
      if (!f) return 2;
      choice.primary = *f;
    } else if (a == "--pistol") {
      const auto f = lookUp(wizard::kPistols, a, v);
      if (!f) return 2;
      choice.pistol = *f;
    } else if (a == "--ammo") {
      const auto f = lookUp(wizard::kAmmunition, a, v);
      if (!f) return 2;
      choice.ammo = *f;
    } else if (a == "--equip") {
      std::size_t start = 0;
      while (start <= v.size()) {
        const std::size_t comma = v.find(',', start);
        const std::string item =
            v.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const auto f = lookUp(wizard::kEquipment, a, item, true);
        if (!f) return 2;
        choice.equipment[*f] = true;
        if (comma == std::string::npos) break;
        start = comma + 1;
      }
      // The page lets only one armour be ticked; the one with the helmet includes the vest.
      if (choice.equipment[0] && choice.equipment[1])
        return fail("--equip: выберите одно из kev и kevhelmet");
    } else if (a == "--radio") {
      const auto f = lookUp(wizard::kRadioPhrases, a, v);
      if (!f) return 2;
      choice.radio = *f;
    } else if (a == "--team" || a == "--all") {
      if (haveMessage) return fail("укажите только одно из --team и --all");
      haveMessage = true;
      choice.audience = a == "--team" ? wizard::Audience::Team : wizard::Audience::All;
      choice.message = core::fromUtf8(v);
    } else {
      return fail("неизвестный параметр \"" + a + "\"\n" + kUsage);
    }
  }
  if (key.empty()) return fail(std::string("укажите клавишу (--key NAME)\n") + kUsage);

  const wizard::BuyBlock block = wizard::buildBuyBlock(key, wizard::buildScriptParts(choice, mode));
  std::string out;
  for (const std::string& line : block.aliasLines) out += line + "\r\n";
  out += block.bindLine + "\r\n";
  out = core::toUtf8(out);
  if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
    std::perror("brindle-cli buyscript: запись в стандартный вывод");
    return 1;
  }
  return 0;
}

}  // namespace brindle::cli
