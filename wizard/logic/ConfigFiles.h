#pragma once
// The files the wizard edits: choosing a file reads it into the working text (and, for the
// game's own config.cfg, autoexec.cfg into the autoexec text); the apply step writes the changed
// settings and saves the working text over the file.
#include <optional>
#include <string>
#include <string_view>

#include "wizard/logic/SettingsModel.h"

namespace brindle::wizard {

class WizardTexts;

// The one line the working text holds when the chosen file cannot be read (CP1251).
std::string unreadableFileLine();

struct ChosenFile {
  std::string path;  // directory + separator + file name
  bool readable =
      false;          // false: the working text holds unreadableFileLine() (also for a binary file)
  std::string error;  // why the file could not be read (UTF-8)
  bool autoexecMode = false;  // the game's own config.cfg: aliases belong in autoexec.cfg
  // autoexec.cfg exists but could not be read (UTF-8); the autoexec text is then empty and must
  // not be saved over the file.
  std::string autoexecError;
};

// Reads `fileName` of `directory` into the working text. When the file is config.cfg of the
// start-up game directory (compared exactly, letter case included; never when that directory is
// empty), autoexec mode is set and autoexec.cfg of that directory is read into the autoexec text,
// or created empty when it is missing; otherwise the autoexec text is emptied.
ChosenFile chooseFile(WizardTexts& texts, const std::string& directory, const std::string& fileName,
                      const std::string& startupGameDirectory);

struct SaveResult {
  bool ok = false;       // nothing went wrong
  bool written = false;  // the file was replaced
  std::string error;     // UTF-8, when !ok
};

// Saves the working text over `path`, atomically, when it differs from what was read or last
// saved; an unchanged text leaves the file byte for byte as it is.
SaveResult saveWorkingText(WizardTexts& texts, const std::string& path);

// The apply step: writes the rows whose fields differ between `loaded` and `chosen` into the
// working text and saves it. When the save fails the working text is put back as it was, so
// the next apply starts from the file as it still is.
SaveResult applyAndSave(WizardTexts& texts, const SettingsValues& loaded,
                        const SettingsValues& chosen, const std::string& path,
                        GameVersion version = kDefaultGameVersion);

// Writes the rows whose fields differ between `loaded` and `chosen` into another config file,
// `path`, leaving the rest of that file as it is (a missing file is created). The wizard uses it
// when config.cfg must not be written while the game runs: the game runs userconfig.cfg after
// config.cfg, so the changed settings still count.
SaveResult applyToOtherFile(const SettingsValues& loaded, const SettingsValues& chosen,
                            const std::string& path, GameVersion version = kDefaultGameVersion);

// Why "Создать" refuses a name (UTF-8), or nothing: a new config is made in the directory shown,
// so a name with a folder in it ('/', '\\', "..") or a NUL byte is refused, as the library
// manager refuses it.
std::optional<std::string> newConfigNameProblem(std::string_view name);

// A file the wizard does not apply to: it holds NUL bytes, or more than a tenth of its bytes are
// control characters other than tabs and line breaks.
bool looksBinary(std::string_view bytes);

}  // namespace brindle::wizard
