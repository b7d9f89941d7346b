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
        rows += "  " + wizard::numberText(f.minimum) + ".." + wizard::numberText(f.maximum);
        if (f.fractions) rows += ", дробное";
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
      "  brindle-cli settings FILE [--game 1.5|1.6]\n"
      "      настройки конфига, как их читает мастер: строка \"имя=значение\" на каждую,\n"
      "      значение пусто, если в конфиге её нет; значение, которого строка не предлагает,\n"
      "      стоит после табуляции как \"в файле: ...\"\n"
      "  brindle-cli settings FILE [--game 1.5|1.6] --set ROW=VALUE...\n"
      "      изменить настройки, как кнопка \"Применить настройки\" мастера: переписываются\n"
      "      только изменённые строки, файл сохраняется целиком или не меняется вовсе;\n"
      "      значение, которое нельзя записать, отклоняется (код выхода 1)\n"
      "  --game 1.6 (по умолчанию): рука - cl_righthand, авто-помощь и меню -\n"
      "      setinfo \"_ah\" или _ah, setinfo \"_vgui_menus\" или _vgui_menus (решает\n"
      "      более поздняя строка); --game 1.5: lefthand, ah, vgui_menus\n"
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
  wizard::GameVersion version = wizard::kDefaultGameVersion;
  std::vector<std::string> assignments;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--game") {
      if (i + 1 >= args.size()) return fail(2, "после --game укажите 1.5 или 1.6");
      const std::string& v = args[++i];
      if (v != "1.5" && v != "1.6") return fail(2, "--game: 1.5 или 1.6, а не \"" + v + "\"");
      version = v == "1.5" ? wizard::GameVersion::Cs15 : wizard::GameVersion::Cs16;
    } else if (args[i] == "--set") {
      if (i + 1 >= args.size()) return fail(2, "после --set укажите ROW=VALUE");
      while (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0)
        assignments.push_back(args[++i]);
    } else {
      return fail(2, "неизвестный параметр \"" + args[i] + "\"");
    }
  }

  const core::ReadResult in = core::readFile(path, core::kMaxDocumentBytes);
  if (!in.ok) return fail(1, in.error);
  if (wizard::looksBinary(in.data)) return fail(1, path + ": это не текстовый файл конфига");
  wizard::WizardTexts texts;
  texts.working.loadFileText(in.data);
  const wizard::SettingsReading reading =
      wizard::runLoadingPass(texts, {}, false, version).settings;
  for (const std::string& w : reading.warnings)
    std::fprintf(stderr, "brindle-cli settings: %s: %s\n", path.c_str(), w.c_str());
  const int status = reading.warnings.empty() ? 0 : 1;

  if (assignments.empty()) {
    const std::string out = wizard::formatReading(reading);
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
      std::perror("brindle-cli settings: запись в стандартный вывод");
      return 1;
    }
    return status;
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
    const std::string typed = a.substr(eq + 1);
    const std::string value = *field == wizard::Field::Name
                                  ? wizard::nameForFile(typed, reading.values[*field])
                                  : core::fromUtf8(typed);
    const std::string error = wizard::chooseValue(chosen, *field, value);
    if (!error.empty()) return fail(1, error);
  }
  const wizard::SaveResult saved =
      wizard::applyAndSave(texts, reading.values, chosen, path, version);
  if (!saved.ok) return fail(1, saved.error);
  return status;
}

}  // namespace brindle::cli
