// brindle-cli: the program's text tools without windows.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/Console.h"

namespace {

void usage() {
  std::fputs(
      "Использование:\n"
      "  brindle-cli check [--format json] FILE... проверить конфиги на ошибки\n"
      "  brindle-cli clean FILE...                очистить конфиги от ненужных символов\n"
      "  brindle-cli clean -                      то же для стандартного ввода\n"
      "  brindle-cli explain WORD [--library NAME] пояснение команды или переменной\n"
      "  brindle-cli mapcycle DIR [--set MAP...]  карты и смена карт каталога игры\n"
      "  brindle-cli metabind FILE KEY...         MetaBind с подставленными клавишами\n"
      "  brindle-cli buyscript --key NAME ...     скрипт покупки на одну клавишу (--help)\n"
      "  brindle-cli settings FILE [--set ROW=VALUE...] настройки конфига, как в мастере\n",
      stderr);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args = brindle::cli::startCommandLine(argc, argv);
  if (args.empty()) {
    usage();
    return 2;
  }
  const std::string command = args.front();
  args.erase(args.begin());
  if (command == "check") return brindle::cli::check(args, argv[0]);
  if (command == "clean") return brindle::cli::clean(args);
  if (command == "explain") return brindle::cli::explain(args, argv[0]);
  if (command == "metabind") return brindle::cli::metabind(args);
  if (command == "mapcycle") return brindle::cli::mapcycle(args);
  if (command == "buyscript") return brindle::cli::buyscript(args);
  if (command == "settings") return brindle::cli::settings(args);
  if (command == "-h" || command == "--help") {
    usage();
    return 0;
  }
  std::fprintf(stderr, "brindle-cli: неизвестная команда \"%s\"\n", command.c_str());
  usage();
  return 2;
}
