// brindle-cli gamedir: the game directories this system has, as the game-directory dialog
// offers them.
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "game/logic/GameDirectories.h"

namespace brindle::cli {
namespace {

constexpr const char* kHelp =
    "Использование: brindle-cli gamedir\n"
    "\n"
    "Печатает найденные каталоги игры (cstrike), по одному в строке: путь, табуляция,\n"
    "где он найден. Каталог считается каталогом игры, если в нём есть liblist.gam или\n"
    "config.cfg. Просматриваются библиотеки Steam (все, что перечислены в\n"
    "libraryfolders.vdf), Steam из Flatpak и Snap, Steam и установки без Steam в Wine,\n"
    "а в Windows — папка Steam из реестра и папки Program Files.\n"
    "Код возврата 0, если каталог найден, 1, если нет.\n";

}  // namespace

int gamedir(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") return std::fputs(kHelp, stdout) < 0 ? 1 : 0;
    std::fprintf(stderr, "brindle-cli gamedir: неизвестный параметр \"%s\"\n", a.c_str());
    return 2;
  }
  const auto found = game::findGameDirectories(game::environmentOfThisSystem());
  std::string out;
  for (const auto& f : found) out += f.path + "\t" + f.origin + "\n";
  if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
    std::perror("brindle-cli gamedir: запись в стандартный вывод");
    return 1;
  }
  if (found.empty()) {
    std::fputs("brindle-cli gamedir: каталог игры не найден\n", stderr);
    return 1;
  }
  return 0;
}

}  // namespace brindle::cli
