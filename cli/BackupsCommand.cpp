// brindle-cli backups FILE and brindle-cli restore FILE [N]: the backups the program keeps of a
// file before it overwrites it, and putting one of them back.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "core/Backups.h"
#include "core/FileIO.h"

namespace brindle::cli {
namespace {

constexpr const char* kBackupsHelp =
    "Использование: brindle-cli backups FILE\n"
    "\n"
    "Печатает резервные копии файла FILE, от новой к старой: номер, дату и время,\n"
    "размер и путь копии. Копии делаются перед каждой перезаписью файла программой\n"
    "(сохранение, мастер, запуск игры, смена карт, библиотеки, команды clean,\n"
    "mapcycle --set и settings --set) и лежат в папке backups рядом с файлом настроек.\n"
    "Код возврата 1, если копий нет.\n";

constexpr const char* kRestoreHelp =
    "Использование: brindle-cli restore FILE [N]\n"
    "\n"
    "Восстанавливает файл FILE из его резервной копии номер N (1 — самая новая, по\n"
    "умолчанию; номера — как в brindle-cli backups FILE). Текущее содержимое файла\n"
    "перед этим само сохраняется в резервную копию, так что восстановление можно\n"
    "отменить командой brindle-cli restore FILE.\n";

bool wantsHelp(const std::vector<std::string>& args) {
  for (const std::string& a : args)
    if (a == "--help" || a == "-h") return true;
  return false;
}

int fail(const char* command, int status, const std::string& message) {
  std::fprintf(stderr, "brindle-cli %s: %s\n", command, message.c_str());
  return status;
}

std::string sizeText(std::uintmax_t bytes) { return std::to_string(bytes) + " байт"; }

}  // namespace

int backups(const std::vector<std::string>& args) {
  if (wantsHelp(args)) return std::fputs(kBackupsHelp, stdout) < 0 ? 1 : 0;
  if (args.size() != 1) return fail("backups", 2, "укажите один файл (backups FILE)");
  const std::shared_ptr<core::BackupStore> store = core::installedBackups();
  if (!store) return fail("backups", 1, "резервные копии недоступны");
  const std::vector<core::BackupEntry> entries = store->backupsOf(args[0]);
  if (entries.empty()) return fail("backups", 1, "у файла \"" + args[0] + "\" нет резервных копий");
  std::string out;
  for (std::size_t i = 0; i < entries.size(); ++i)
    out += std::to_string(i + 1) + "  " + core::backupTimeText(entries[i].timeMs) + "  " +
           sizeText(entries[i].size) + "  " + entries[i].file + "\n";
  if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
    std::perror("brindle-cli backups: запись в стандартный вывод");
    return 1;
  }
  return 0;
}

int restore(const std::vector<std::string>& args) {
  if (wantsHelp(args)) return std::fputs(kRestoreHelp, stdout) < 0 ? 1 : 0;
  if (args.empty() || args.size() > 2)
    return fail("restore", 2, "укажите файл и, если нужно, номер копии (restore FILE [N])");
  std::size_t number = 1;
  if (args.size() == 2) {
    const std::string& n = args[1];
    if (n.empty() || n.size() > 6 || n.find_first_not_of("0123456789") != std::string::npos ||
        std::stoul(n) == 0)
      return fail("restore", 2,
                  "номер копии \"" + n +
                      "\": копии нумеруются с 1 (1 — самая новая), как их "
                      "показывает brindle-cli backups FILE");
    number = std::stoul(n);
  }
  const std::shared_ptr<core::BackupStore> store = core::installedBackups();
  if (!store) return fail("restore", 1, "резервные копии недоступны");
  const std::vector<core::BackupEntry> entries = store->backupsOf(args[0]);
  if (entries.empty()) return fail("restore", 1, "у файла \"" + args[0] + "\" нет резервных копий");
  if (number > entries.size())
    return fail("restore", 2,
                "копий у файла: " + std::to_string(entries.size()) + ", номера " +
                    std::to_string(number) + " нет");
  const core::BackupEntry& chosen = entries[number - 1];
  const core::WriteResult r = store->restore(chosen);
  if (!r.ok) return fail("restore", 1, r.error);
  std::printf("Файл %s восстановлен из копии от %s.\n", chosen.original.c_str(),
              core::backupTimeText(chosen.timeMs).c_str());
  return 0;
}

}  // namespace brindle::cli
