#include "wizard/logic/ConfigFiles.h"

#include "core/Cp1251.h"
#include "core/DataLayout.h"
#include "core/DataPaths.h"
#include "core/FileIO.h"
#include "wizard/logic/WizardText.h"

namespace brindle::wizard {

std::optional<std::string> newConfigNameProblem(std::string_view name) {
  if (core::isPlainFileName(name) && name.find("..") == std::string_view::npos) return std::nullopt;
  return "Недопустимое имя файла: \"" + std::string(name) +
         "\"\nИмя не может содержать \"\\\", \"/\" или \"..\". Файл не создан!";
}

bool looksBinary(std::string_view bytes) {
  if (bytes.find('\0') != std::string_view::npos) return true;
  // Control characters other than tab and line breaks are no text; a few may stand in a config,
  // most of a file of them is not one.
  std::size_t control = 0;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 && b != '\t' && b != '\r' && b != '\n') ++control;
  }
  return control * 10 > bytes.size();
}

std::string unreadableFileLine() { return core::fromUtf8("Файл не может быть отображен!"); }

ChosenFile chooseFile(WizardTexts& texts, const std::string& directory, const std::string& fileName,
                      const std::string& startupGameDirectory) {
  ChosenFile chosen;
  chosen.path = core::withSeparator(directory) + fileName;

  chosen.autoexecMode = !startupGameDirectory.empty() &&
                        chosen.path == core::withSeparator(startupGameDirectory) + "config.cfg";
  // Aliases of an earlier file must never reach another autoexec.cfg: the text is emptied
  // whenever the file that fills it is missing.
  texts.autoexec.load({});
  if (chosen.autoexecMode) {
    const std::string autoexec = core::withSeparator(startupGameDirectory) + "autoexec.cfg";
    if (core::fileExists(autoexec)) {
      const core::ReadResult r = core::readFile(autoexec, core::kMaxDocumentBytes);
      if (r.ok)
        texts.autoexec.loadFileText(r.data);
      else
        chosen.autoexecError = r.error;
    } else {
      core::createEmptyFile(autoexec);
    }
  }

  const core::ReadResult r = core::readFile(chosen.path, core::kMaxDocumentBytes);
  chosen.readable = r.ok && !looksBinary(r.data);
  if (chosen.readable) {
    texts.working.loadFileText(r.data);
  } else {
    chosen.error = r.ok ? "это не текстовый файл конфига" : r.error;
    texts.working.load({unreadableFileLine()});
  }
  return chosen;
}

SaveResult saveWorkingText(WizardTexts& texts, const std::string& path) {
  SaveResult s;
  if (!texts.working.modified()) {
    s.ok = true;
    return s;
  }
  const core::WriteResult w = core::writeFileAtomic(path, texts.working.fileText());
  if (!w.ok) {
    s.error = w.error;
    return s;
  }
  texts.working.setModified(false);
  s.ok = true;
  s.written = true;
  return s;
}

SaveResult applyAndSave(WizardTexts& texts, const SettingsValues& loaded,
                        const SettingsValues& chosen, const std::string& path,
                        GameVersion version) {
  const WizardText before = texts.working;
  applySettings(texts.working, loaded, chosen, version);
  if (const auto unread = unreadChoice(texts.working, loaded, chosen, version)) {
    texts.working = before;
    return SaveResult{false, false, unread->message};
  }
  SaveResult s = saveWorkingText(texts, path);
  if (!s.ok) texts.working = before;
  return s;
}

SaveResult applyToOtherFile(const SettingsValues& loaded, const SettingsValues& chosen,
                            const std::string& path, GameVersion version) {
  SaveResult s;
  WizardText text;
  if (core::pathExists(path)) {
    const core::ReadResult r = core::readFile(path);
    if (!r.ok) {
      s.error = r.error;
      return s;
    }
    if (looksBinary(r.data)) {
      s.error = "Файл \"" + path + "\" не похож на текстовый конфиг: настройки в него не записаны.";
      return s;
    }
    text.loadFileText(r.data);
  }
  text.setModified(false);
  applySettings(text, loaded, chosen, version);
  if (const auto unread = unreadChoice(text, loaded, chosen, version)) {
    s.error = unread->message;
    return s;
  }
  if (!text.modified()) {
    s.ok = true;
    return s;
  }
  const core::WriteResult w = core::writeFileAtomic(path, text.fileText());
  if (!w.ok) {
    s.error = w.error;
    return s;
  }
  s.ok = true;
  s.written = true;
  return s;
}

}  // namespace brindle::wizard
