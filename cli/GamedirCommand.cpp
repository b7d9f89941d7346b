// brindle-cli gamedir: the game directories this system has, as the game-directory dialog
// offers them; or, for the files named, the game directory each belongs to, its path there and
// its kind, as the editor and `brindle-cli check` see them.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "core/ConsoleScript.h"
#include "core/FileIO.h"
#include "dictionary/logic/KnownWords.h"
#include "editor/logic/DocumentContext.h"
#include "game/logic/GameDirectories.h"

namespace brindle::cli {
namespace {

constexpr const char* kHelp =
    "Использование: brindle-cli gamedir\n"
    "               brindle-cli gamedir [--game ПАПКА_ИГРЫ] FILE...\n"
    "\n"
    "Без файлов печатает найденные каталоги игры (cstrike), по одному в строке: путь,\n"
    "табуляция, где он найден. Каталог считается каталогом игры, если в нём есть liblist.gam\n"
    "или config.cfg. Просматриваются библиотеки Steam (все, что перечислены в\n"
    "libraryfolders.vdf), Steam из Flatpak и Snap, Steam и установки без Steam в Wine,\n"
    "а в Windows — папка Steam из реестра и папки Program Files.\n"
    "\n"
    "С файлами печатает для каждого, как его видят редактор и brindle-cli check: файл,\n"
    "каталог игры, путь файла в нём и вид конфига (player, server, plugin), через табуляцию.\n"
    "Каталог игры — ближайшая папка над файлом с liblist.gam или с именем cstrike; --game\n"
    "задаёт его (папка cstrike или папка игры, в которой лежит cstrike).\n"
    "Код возврата 0, если каталог найден, 1, если нет.\n";

bool put(const std::string& out, const char* what) {
  if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "brindle-cli gamedir: запись в стандартный вывод%s\n", what);
    return false;
  }
  return true;
}

int placesOf(const std::vector<std::string>& files, const std::string& game, const char* argv0) {
  const core::KnownWords words = dictionary::readKnownWords(programDirectory(argv0));
  const core::Vocabulary vocabulary(words);
  editor::ContextRequest request;
  request.chosenGameDir = game;
  request.forceChosen = !game.empty();
  std::string out;
  bool allKnown = true;
  for (const std::string& file : files) {
    const core::ReadResult in = core::readFile(file);
    const editor::DocumentContext c = editor::documentContext(
        file, in.ok ? std::string_view(in.data) : std::string_view(), &vocabulary, request);
    allKnown = allKnown && c.gameDirKnown;
    out += file + "\t" + (c.gameDirKnown ? c.gameDir : std::string("-")) + "\t" + c.relPath + "\t" +
           std::string(editor::configKindName(c.kind)) + "\n";
  }
  if (!put(out, "")) return 2;
  return allKnown ? 0 : 1;
}

}  // namespace

int gamedir(const std::vector<std::string>& args, const char* argv0) {
  std::string game;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") return std::fputs(kHelp, stdout) < 0 ? 1 : 0;
    if (a == "--game" && i + 1 < args.size()) {
      game = args[++i];
      if (!core::directoryExists(game)) {
        std::fprintf(stderr, "brindle-cli gamedir: нет папки игры \"%s\"\n", game.c_str());
        return 2;
      }
    } else if (a.rfind("-", 0) == 0) {
      std::fprintf(stderr, "brindle-cli gamedir: неизвестный параметр \"%s\"\n", a.c_str());
      return 2;
    } else {
      files.push_back(a);
    }
  }
  if (!files.empty()) return placesOf(files, game, argv0);
  if (!game.empty()) {
    std::fputs("brindle-cli gamedir: --game — только вместе с файлами\n", stderr);
    return 2;
  }
  const auto found = game::findGameDirectories(game::environmentOfThisSystem());
  std::string out;
  for (const auto& f : found) out += f.path + "\t" + f.origin + "\n";
  if (!put(out, "")) return 1;
  if (found.empty()) {
    std::fputs("brindle-cli gamedir: каталог игры не найден\n", stderr);
    return 1;
  }
  return 0;
}

}  // namespace brindle::cli
