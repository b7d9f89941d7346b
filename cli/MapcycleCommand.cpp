// brindle-cli mapcycle DIR [--set MAP...]: the maps of a game directory and its map cycle, or a
// new mapcycle.txt written from the maps named, as the map cycle editor writes it.
#include <cstdio>
#include <optional>
#include <string>

#include "cli/Commands.h"
#include "core/Cp1251.h"
#include "core/FileIO.h"
#include "maps/logic/MapCycle.h"

namespace brindle::cli {
namespace {

constexpr const char* kHelp =
    "Использование: brindle-cli mapcycle DIR [--set MAP...]\n"
    "\n"
    "DIR — каталог игры (например, .../cstrike); карты — файлы DIR/maps/*.bsp.\n"
    "\n"
    "Без --set печатает карты каталога и список смены карт из DIR/mapcycle.txt;\n"
    "записи списка, для которых нет файла карты, помечены.\n"
    "\n"
    "  --set MAP...  записать DIR/mapcycle.txt: указанные карты в указанном порядке,\n"
    "                повторы допускаются, без карт — пустой файл. Имя карты — как в\n"
    "                списке карт (регистр букв не важен). Если хоть одной карты нет\n"
    "                в DIR/maps, ничего не записывается.\n"
    "  -h, --help    эта справка\n";

bool print(const std::string& utf8) {
  return std::fwrite(utf8.data(), 1, utf8.size(), stdout) == utf8.size();
}

int listCycle(const std::string& dir) {
  const std::vector<std::string> maps = maps::listMaps(dir);
  const maps::CycleFile cycle = maps::readMapCycle(dir);
  std::string out = "Карты в maps (" + std::to_string(maps.size()) + "):\n";
  for (const std::string& m : maps) out += "  " + core::toUtf8(m) + "\n";
  if (cycle.ok && !cycle.exists) {
    out += "Файла mapcycle.txt нет.\n";
  } else if (cycle.ok) {
    out += "Смена карт mapcycle.txt (" + std::to_string(cycle.entries.size()) + "):\n";
    for (const std::string& e : cycle.entries) {
      out += "  " + core::toUtf8(e);
      if (e.empty())
        out += "(пустая строка)";
      else if (!maps::findMap(maps, e))
        out += "  (нет файла карты)";
      out += "\n";
    }
  }
  if (!print(out) || std::fflush(stdout) != 0) {
    std::perror("brindle-cli mapcycle: запись в стандартный вывод");
    return 1;
  }
  if (!cycle.ok) {
    std::fprintf(stderr, "brindle-cli mapcycle: %s\n", cycle.error.c_str());
    return 1;
  }
  return 0;
}

int setCycle(const std::string& dir, const std::vector<std::string>& names) {
  const std::vector<std::string> maps = maps::listMaps(dir);
  std::vector<std::string> entries;
  std::string unknown;
  for (const std::string& name : names) {
    if (const std::optional<std::string> map = maps::findMap(maps, core::fromUtf8(name)))
      entries.push_back(*map);
    else
      unknown += (unknown.empty() ? "" : ", ") + ("\"" + name + "\"");
  }
  if (!unknown.empty()) {
    std::fprintf(stderr,
                 "brindle-cli mapcycle: нет таких карт в %s/maps: %s; mapcycle.txt не изменён\n",
                 dir.c_str(), unknown.c_str());
    return 1;
  }
  const core::WriteResult written = maps::saveMapCycle(dir, entries);
  if (!written.ok) {
    std::fprintf(stderr, "brindle-cli mapcycle: %s\n", written.error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int mapcycle(const std::vector<std::string>& args) {
  std::optional<std::string> dir;
  bool set = false;
  std::vector<std::string> names;
  for (const std::string& a : args) {
    if (a == "-h" || a == "--help") {
      std::fputs(kHelp, stdout);
      return 0;
    }
  }
  for (const std::string& a : args) {
    if (set) {
      names.push_back(a);
    } else if (a == "--set") {
      set = true;
    } else if (a.size() > 1 && a[0] == '-') {
      std::fprintf(stderr, "brindle-cli mapcycle: неизвестный ключ \"%s\" (см. --help)\n",
                   a.c_str());
      return 2;
    } else if (!dir) {
      dir = a;
    } else {
      std::fprintf(stderr, "brindle-cli mapcycle: лишний аргумент \"%s\" (карты — после --set)\n",
                   a.c_str());
      return 2;
    }
  }
  if (!dir) {
    std::fputs("brindle-cli mapcycle: укажите каталог игры (mapcycle DIR [--set MAP...])\n",
               stderr);
    return 2;
  }
  if (!core::directoryExists(*dir)) {
    std::fprintf(stderr, "brindle-cli mapcycle: каталог игры \"%s\" не найден\n", dir->c_str());
    return 1;
  }
  return set ? setCycle(*dir, names) : listCycle(*dir);
}

}  // namespace brindle::cli
