// brindle-cli settings FILE [--set ROW=VALUE...]: the configuration wizard's reading of a config,
// and its apply step without the window.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "core/Cp1251.h"
#include "core/FileIO.h"
#include "wizard/logic/ConfigFiles.h"
#include "wizard/logic/LoadingPass.h"
#include "wizard/logic/SettingsModel.h"
#include "wizard/logic/WizardText.h"

namespace brindle::cli {
namespace {

void settingsHelp() {
  std::string rows;
  for (const wizard::FieldInfo& f : wizard::allFields()) {
    rows += "  ";
    rows += f.name;
    switch (f.kind) {
      case wizard::FieldKind::Text:
        rows += "  текст";
        break;
      case wizard::FieldKind::Number:
        rows += "  " + std::to_string(f.minimum) + ".." + std::to_string(f.maximum);
        break;
      case wizard::FieldKind::Switch:
        rows += "  ";
        for (std::size_t i = 0; i < f.choices.size(); ++i)
          rows += (i ? "|" : "") + std::string(1, f.choices[i]);
        break;
      case wizard::FieldKind::Colour:
        rows += "  \"R G B\", 0..255";
        break;
    }
    rows += '\n';
  }
  std::printf(
      "Использование:\n"
      "  brindle-cli settings FILE\n"
      "      настройки конфига, как их читает мастер: строка \"имя=значение\" на каждую,\n"
      "      значение пусто, если в конфиге её нет\n"
      "  brindle-cli settings FILE --set ROW=VALUE...\n"
      "      изменить настройки, как кнопка \"Применить настройки\" мастера: переписываются\n"
      "      только изменённые строки, файл сохраняется целиком или не меняется вовсе\n"
      "\n"
      "Строки (ROW) и их значения:\n%s",
      rows.c_str());
}

int fail(int status, const std::string& message) {
  std::fprintf(stderr, "brindle-cli settings: %s\n", message.c_str());
  return status;
}

}  // namespace

int settings(const std::vector<std::string>& args) {
  for (const std::string& a : args)
    if (a == "--help" || a == "-h") {
      settingsHelp();
      return 0;
    }
  if (args.empty()) return fail(2, "укажите конфиг (settings FILE [--set ROW=VALUE...])");
  const std::string& path = args[0];
  std::vector<std::string> assignments;
  if (args.size() > 1) {
    if (args[1] != "--set") return fail(2, "неизвестный параметр \"" + args[1] + "\"");
    if (args.size() == 2) return fail(2, "после --set укажите ROW=VALUE");
    assignments.assign(args.begin() + 2, args.end());
  }

  const core::ReadResult in = core::readFile(path, core::kMaxDocumentBytes);
  if (!in.ok) return fail(1, in.error);
  wizard::WizardTexts texts;
  texts.working.loadFileText(in.data);
  const wizard::SettingsReading reading = wizard::runLoadingPass(texts, {}, false).settings;
  for (const std::string& w : reading.warnings)
    std::fprintf(stderr, "brindle-cli settings: %s: %s\n", path.c_str(), core::toUtf8(w).c_str());

  if (assignments.empty()) {
    const std::string out = core::toUtf8(wizard::formatReading(reading));
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
      std::perror("brindle-cli settings: запись в стандартный вывод");
      return 1;
    }
    return 0;
  }

  // Every choice is checked before anything is written.
  wizard::SettingsValues chosen = reading.values;
  for (const std::string& a : assignments) {
    const auto eq = a.find('=');
    if (eq == std::string::npos) return fail(2, "\"" + a + "\": нужно ROW=VALUE");
    const auto field = wizard::fieldByName(a.substr(0, eq));
    if (!field)
      return fail(2, "неизвестная строка \"" + a.substr(0, eq) +
                         "\" (список строк: brindle-cli settings --help)");
    const std::string error = wizard::chooseValue(chosen, *field, core::fromUtf8(a.substr(eq + 1)));
    if (!error.empty()) return fail(2, error);
  }
  const wizard::SaveResult saved = wizard::applyAndSave(texts, reading.values, chosen, path);
  if (!saved.ok) return fail(1, saved.error);
  return 0;
}

}  // namespace brindle::cli
