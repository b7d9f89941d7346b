// brindle-cli clean: the editor's clean-up for files in place or for standard input.
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "editor/logic/Cleanup.h"

namespace brindle::cli {
namespace {

constexpr const char* kName = "brindle-cli clean";

// Cleans `data` and makes it the file the editor would save after a clean-up: lines with
// CR LF breaks. Works in place, so the file is held once (twice while breaks other than CR LF
// are made CR LF). Returns whether anything changed.
bool cleanAsFileText(std::string& data) {
  bool changed = false;
  if (!core::breaksAreCrLf(data)) {
    data = core::normalizeBreaks(data);
    changed = true;
  }
  const std::size_t before = data.size();
  editor::cleanupInPlace(data);
  const std::size_t cleaned = data.size();
  core::makeFileText(data);
  return changed || cleaned != before || data.size() != cleaned;
}

// Standard input, up to the editor's size limit.
bool readStandardInput(std::string& data) {
  char buf[1 << 16];
  std::size_t n = 0;
  while ((n = std::fread(buf, 1, sizeof buf, stdin)) > 0) {
    if (data.size() + n > core::kMaxDocumentBytes) {
      const std::string limit = std::to_string(core::kMaxDocumentBytes / (1024 * 1024));
      std::fprintf(stderr, "%s: стандартный ввод длиннее %s МБ\n", kName, limit.c_str());
      return false;
    }
    data.append(buf, n);
  }
  if (std::ferror(stdin)) {
    std::fprintf(stderr, "%s: ошибка чтения стандартного ввода\n", kName);
    return false;
  }
  return true;
}

}  // namespace

int clean(const std::vector<std::string>& args) {
  if (args.empty()) {
    std::fprintf(stderr, "%s: укажите файлы или - для стандартного ввода\n", kName);
    return 2;
  }
  if (args.size() == 1 && args[0] == "-") {
    std::string data;
    if (!readStandardInput(data)) return 1;
    cleanAsFileText(data);
    if (std::fwrite(data.data(), 1, data.size(), stdout) != data.size() ||
        std::fflush(stdout) != 0) {
      std::fprintf(stderr, "%s: ошибка записи в стандартный вывод\n", kName);
      return 1;
    }
    return 0;
  }
  int status = 0;
  for (const auto& path : args) {
    core::ReadResult in = core::readFile(path, core::kMaxDocumentBytes);
    if (!in.ok) {
      std::fprintf(stderr, "%s: %s\n", kName, in.error.c_str());
      status = 1;
      continue;
    }
    if (!cleanAsFileText(in.data)) continue;
    const core::WriteResult w = core::writeFileAtomic(path, in.data);
    if (!w.ok) {
      std::fprintf(stderr, "%s: %s\n", kName, w.error.c_str());
      status = 1;
    }
  }
  return status;
}

}  // namespace brindle::cli
