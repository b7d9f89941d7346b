// brindle-cli explain: the explanation of a command or variable, as the explanation window
// shows it, from the data folders beside the executable.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "core/Cp1251.h"
#include "dictionary/logic/Explanations.h"

namespace brindle::cli {

int explain(const std::vector<std::string>& args, const char* argv0) {
  std::string word;
  std::string library;
  bool haveWord = false;
  bool haveLibrary = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--library") {
      if (i + 1 >= args.size()) {
        std::fputs("brindle-cli explain: после --library укажите имя библиотеки\n", stderr);
        return 2;
      }
      library = args[++i];
      haveLibrary = true;
    } else if (a.rfind("--library=", 0) == 0) {
      library = a.substr(10);
      haveLibrary = true;
    } else if (!haveWord) {
      word = a;
      haveWord = true;
    } else {
      std::fprintf(stderr, "brindle-cli explain: лишний аргумент \"%s\"\n", a.c_str());
      return 2;
    }
  }
  if (!haveWord) {
    std::fputs("brindle-cli explain: укажите слово (команду или переменную)\n", stderr);
    return 2;
  }

  // The terminal speaks UTF-8, the explanation files CP1251.
  std::vector<std::string> problems;
  const std::string text =
      dictionary::lookUpExplanation(programDirectory(argv0), library, core::fromUtf8(word),
                                    dictionary::kExplanationKey, haveLibrary, &problems);
  for (const std::string& problem : problems)
    std::fprintf(stderr, "brindle-cli explain: %s\n", problem.c_str());
  const std::string out = core::toUtf8(text) + "\n";
  if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
    std::perror("brindle-cli explain: запись в стандартный вывод");
    return 2;
  }
  return text == dictionary::kNoExplanation ? 1 : 0;
}

}  // namespace brindle::cli
