#include <cstdio>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <string>

#include "cli/Commands.h"
#include "editor/logic/Cleanup.h"
#include "core/FileIO.h"
#include "core/Text.h"

namespace brindle::cli {

// The file as the editor would save it after a clean-up: lines with CR LF breaks.
static std::string cleanedFileText(const std::string& data) {
  return core::asFileText(editor::cleanupText(core::normalizeBreaks(data)));
}

int clean(const std::vector<std::string>& args) {
  if (args.empty()) {
    std::fputs("brindle-cli clean: укажите файлы или - для стандартного ввода\n", stderr);
    return 2;
  }
  if (args.size() == 1 && args[0] == "-") {
    std::string data((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
    const std::string out = cleanedFileText(data);
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
      std::perror("brindle-cli clean: запись в стандартный вывод");
      return 1;
    }
    return 0;
  }
  int status = 0;
  for (const auto& path : args) {
    const core::ReadResult in = core::readFile(path);
    if (!in.ok) {
      std::fprintf(stderr, "brindle-cli clean: %s\n", in.error.c_str());
      status = 1;
      continue;
    }
    const std::string out = cleanedFileText(in.data);
    if (out == in.data) continue;
    const core::WriteResult w = core::writeFileAtomic(path, out);
    if (!w.ok) {
      std::fprintf(stderr, "brindle-cli clean: %s\n", w.error.c_str());
      status = 1;
    }
  }
  return status;
}

}  // namespace brindle::cli
