// brindle-cli: the program's text tools without windows.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "binds/logic/KeyNames.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "core/Backups.h"
#include "core/DataLayout.h"
#include "core/Settings.h"

namespace {

constexpr const char* kCheckUsage =
    "Использование:\n"
    "  brindle-cli check [--format text|json] [--kind player|server|plugin]\n"
    "                    [--game ПАПКА_ИГРЫ] FILE...\n"
    "Проверяет конфиги (файлы, папки или шаблоны имён) и печатает найденные ошибки и\n"
    "предупреждения в виде FILE:LINE:COLUMN: ошибка|предупреждение: текст, или JSON.\n"
    "Каталог игры файла — ближайшая папка над ним с liblist.gam или с именем cstrike;\n"
    "--game задаёт его: папка cstrike или папка игры, в которой лежит cstrike.\n"
    "Код возврата 0, если ошибок нет, 1, если они есть, 2, если файл не читается.\n";

constexpr const char* kCleanUsage =
    "Использование:\n"
    "  brindle-cli clean FILE...   очистить конфиги от ненужных символов (на месте)\n"
    "  brindle-cli clean -         то же для стандартного ввода, результат в стандартный вывод\n"
    "Удаляются двойные пробелы, пробелы и точки с запятой в конце строк и перед кавычками,\n"
    "пробелы после точки с запятой и повторные точки с запятой. Файлы сохраняются с переводами\n"
    "строк CR LF, как их сохраняет редактор.\n";

constexpr const char* kExplainUsage =
    "Использование:\n"
    "  brindle-cli explain WORD [--library NAME]\n"
    "Печатает пояснение команды или переменной WORD, как его показывает окно пояснений.\n"
    "С --library NAME поиск идёт сначала в библиотеке NAME (как на вкладке DLZ).\n"
    "Код возврата 1, если пояснения нет.\n";

constexpr const char* kMetabindUsage =
    "Использование:\n"
    "  brindle-cli metabind FILE KEY...\n"
    "Печатает MetaBind из файла FILE с подставленными клавишами: n-я клавиша KEY заменяет\n"
    "<<n>>. Клавиши называются так же, как в списке клавиш программы:\n";

constexpr const char* kEffectiveUsage =
    "Использование:\n"
    "  brindle-cli effective DIR [--format text|json]\n"
    "                       [--var NAME | --key NAME | --alias NAME | --setinfo KEY]\n"
    "Итоговая конфигурация каталога игры DIR (папки cstrike или папки игры, в которой она\n"
    "лежит): файлы, которые игра выполняет при запуске, в её порядке, и все exec в них;\n"
    "для каждой переменной, клавиши, алиаса и ключа setinfo -\n"
    "значение, которое остаётся, строка, которая его задаёт, и строки, которые она\n"
    "переопределяет. С --var, --key, --alias или --setinfo печатается одно имя с его\n"
    "историей. Имя клавиши из одного символа игра берёт как есть: «P» — не клавиша «p».\n"
    "Код возврата 1, если имя нигде не задано, 2 при ошибке в аргументах.\n";

constexpr const char* kKeyboardUsage =
    "Использование:\n"
    "  brindle-cli keyboard DIR --png FILE [--width PIXELS]\n"
    "Рисует клавиатуру с итоговыми привязками клавиш каталога игры DIR (папки cstrike или\n"
    "папки игры, в которой она лежит) в файл PNG.\n";

void commandsUsage(std::FILE* to) {
  std::fputs(
      "Использование:\n"
      "  brindle-cli check [--format json] FILE... проверить конфиги на ошибки\n"
      "  brindle-cli clean FILE...                очистить конфиги от ненужных символов\n"
      "  brindle-cli clean -                      то же для стандартного ввода\n"
      "  brindle-cli explain WORD [--library NAME] пояснение команды или переменной\n"
      "  brindle-cli mapcycle DIR [--set MAP...]  карты и смена карт каталога игры\n"
      "  brindle-cli metabind FILE KEY...         MetaBind с подставленными клавишами\n"
      "  brindle-cli buyscript --key NAME ...     скрипт покупки на одну клавишу (--help)\n"
      "  brindle-cli settings FILE [--set ROW=VALUE...] настройки конфига, как в мастере\n"
      "  brindle-cli backups FILE                 резервные копии файла\n"
      "  brindle-cli restore FILE [N]             восстановить файл из копии N (1 — новая)\n"
      "  brindle-cli effective DIR [--var NAME | --key NAME] итоговая конфигурация каталога игры\n"
      "  brindle-cli keyboard DIR --png FILE      картинка клавиатуры с привязками\n"
      "  brindle-cli gamedir [FILE...]            каталоги игры: найденные или файлов\n"
      "  brindle-cli COMMAND --help               справка по команде\n",
      to);
}

// The key names, several to a line.
void printKeyNames(std::FILE* to) {
  std::string line = " ";
  for (const auto name : brindle::binds::kKeyNames) {
    if (line.size() + name.size() + 1 > 78) {
      std::fprintf(to, "%s\n", line.c_str());
      line = " ";
    }
    line.append(" ").append(name);
  }
  std::fprintf(to, "%s\n", line.c_str());
}

bool asksForHelp(const std::vector<std::string>& args) {
  return std::any_of(args.begin(), args.end(),
                     [](const std::string& a) { return a == "--help" || a == "-h"; });
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args = brindle::cli::startCommandLine(argc, argv);
  if (args.empty()) {
    commandsUsage(stderr);
    return 2;
  }
  const std::string command = args.front();
  args.erase(args.begin());
  // Every file the commands overwrite keeps a backup, as in the program.
  brindle::core::installBackups(brindle::core::Settings(
      brindle::core::DataLayout(brindle::cli::programDirectory(argv[0])).settingsFile()));
  const bool help = asksForHelp(args);
  if (command == "check") {
    if (help) return std::fputs(kCheckUsage, stdout) < 0 ? 1 : 0;
    return brindle::cli::check(args, argv[0]);
  }
  if (command == "clean") {
    if (help) return std::fputs(kCleanUsage, stdout) < 0 ? 1 : 0;
    return brindle::cli::clean(args);
  }
  if (command == "explain") {
    if (help) return std::fputs(kExplainUsage, stdout) < 0 ? 1 : 0;
    return brindle::cli::explain(args, argv[0]);
  }
  if (command == "metabind") {
    if (help) {
      std::fputs(kMetabindUsage, stdout);
      printKeyNames(stdout);
      return 0;
    }
    return brindle::cli::metabind(args);
  }
  if (command == "mapcycle") return brindle::cli::mapcycle(args);
  if (command == "buyscript") return brindle::cli::buyscript(args);
  if (command == "settings") return brindle::cli::settings(args);
  if (command == "backups") return brindle::cli::backups(args);
  if (command == "restore") return brindle::cli::restore(args);
  if (command == "effective") {
    if (help) return std::fputs(kEffectiveUsage, stdout) < 0 ? 1 : 0;
    return brindle::cli::effective(args, argv[0]);
  }
  if (command == "keyboard") {
    if (help) return std::fputs(kKeyboardUsage, stdout) < 0 ? 1 : 0;
    return brindle::cli::keyboard(args, argv[0]);
  }
  if (command == "gamedir") return brindle::cli::gamedir(args, argv[0]);
  if (command == "-h" || command == "--help") {
    commandsUsage(stdout);
    return 0;
  }
  std::fprintf(stderr, "brindle-cli: неизвестная команда \"%s\"\n", command.c_str());
  commandsUsage(stderr);
  return 2;
}
