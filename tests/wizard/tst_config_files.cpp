// Choosing a file (autoexec mode, unreadable files) and the apply step's save.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/Cp1251.h"
#include "support/TempDir.h"
#include "wizard/logic/ConfigFiles.h"
#include "wizard/logic/LoadingPass.h"
#include "wizard/logic/WizardText.h"

using namespace brindle::wizard;
using brindle::test::TempDir;

TEST(ChooseFile, TheGamesOwnConfigBringsItsAutoexecAndNothingElseDoes) {
  TempDir game;
  game.write("config.cfg", "name \"Player\"\r\n");
  game.write("other.cfg", "sensitivity \"2\"\r\n");
  WizardTexts texts;
  texts.autoexec.load({"alias \"stale\" \"x\""});

  // No autoexec.cfg yet: it is created empty, and no text of another file is kept for it.
  ChosenFile chosen = chooseFile(texts, game.path(), "config.cfg", game.path());
  EXPECT_TRUE(chosen.autoexecMode);
  EXPECT_TRUE(chosen.readable);
  EXPECT_EQ(chosen.path, game.file("config.cfg"));
  EXPECT_TRUE(std::filesystem::exists(game.file("autoexec.cfg")));
  EXPECT_TRUE(texts.autoexec.empty());
  EXPECT_EQ(texts.working.lines(), std::vector<std::string>{"name \"Player\""});

  game.write("autoexec.cfg", "bind \"F1\" \"Kav-F1\"\r\n");
  chosen = chooseFile(texts, game.path() + "/", "config.cfg", game.path());
  EXPECT_TRUE(chosen.autoexecMode);
  EXPECT_EQ(texts.autoexec.lines(), std::vector<std::string>{"bind \"F1\" \"Kav-F1\""});

  chosen = chooseFile(texts, game.path(), "other.cfg", game.path());
  EXPECT_FALSE(chosen.autoexecMode);
  EXPECT_TRUE(texts.autoexec.empty());

  // The start-up directory is compared exactly, letter case included; none known: never.
  std::string otherCase = game.path();
  otherCase.back() = static_cast<char>(otherCase.back() ^ 0x20);
  EXPECT_FALSE(chooseFile(texts, game.path(), "config.cfg", otherCase).autoexecMode);
  EXPECT_FALSE(chooseFile(texts, game.path(), "config.cfg", "").autoexecMode);
}

TEST(ChooseFile, AnUnreadableFileShowsTheMessageLineAndIsMarkedSo) {
  TempDir dir;
  std::filesystem::create_directory(dir.file("folder.cfg"));
  WizardTexts texts;
  const ChosenFile chosen = chooseFile(texts, dir.path(), "folder.cfg", "");
  EXPECT_FALSE(chosen.readable);
  EXPECT_NE(chosen.error, "");
  EXPECT_EQ(texts.working.lines(),
            std::vector<std::string>{brindle::core::fromUtf8("Файл не может быть отображен!")});
  // The loading pass finds nothing in it.
  const LoadingResult r = runLoadingPass(texts, {"\"+jump\""}, false);
  EXPECT_EQ(r.usedKeys.size(), 0u);
  EXPECT_EQ(r.actionKeys, std::vector<std::string>{""});

  // A binary file is no config: it is not taken as one, so nothing is ever applied to it.
  dir.write("picture.cfg", std::string("GIF89a\0\x01\x02name \"x\"", 17));
  EXPECT_FALSE(chooseFile(texts, dir.path(), "picture.cfg", "").readable);
  EXPECT_TRUE(looksBinary(std::string(40, '\x01') + "sensitivity 3"));
  // "Создать" makes a file in the directory shown and nowhere else.
  for (const char* bad : {"../evil.cfg", "a/b.cfg", "a\\b.cfg", "..", "x..cfg"})
    EXPECT_TRUE(newConfigNameProblem(bad)) << bad;
  EXPECT_FALSE(newConfigNameProblem("my config.cfg"));
  EXPECT_FALSE(looksBinary("sensitivity 3\t// \x01\r\n"));
}

TEST(ApplyAndSave, WritesOnlyWhenSomethingChangedAndNeverHalfway) {
  TempDir dir;
  const std::string original = "sensitivity \"2\"\nrate \"25000\"";  // LF, no final break
  const std::string path = dir.write("my.cfg", original);
  WizardTexts texts;
  chooseFile(texts, dir.path(), "my.cfg", "");
  const SettingsReading reading = runLoadingPass(texts, {}, false).settings;

  // Untouched: the file keeps its bytes, line breaks included.
  SaveResult s = applyAndSave(texts, reading.values, reading.values, path);
  EXPECT_TRUE(s.ok);
  EXPECT_FALSE(s.written);
  EXPECT_EQ(dir.read("my.cfg"), original);

  // A failed save reports the error and leaves the file and the working text as they were.
  SettingsValues chosen = reading.values;
  chosen[Field::Sensitivity] = "4";
  std::filesystem::rename(path, dir.file("kept.cfg"));
  std::filesystem::create_directory(path);
  s = applyAndSave(texts, reading.values, chosen, path);
  EXPECT_FALSE(s.ok);
  EXPECT_FALSE(s.written);
  EXPECT_NE(s.error, "");
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_FALSE(texts.working.modified());
  EXPECT_EQ(texts.working.at(0), "sensitivity \"2\"");

  std::filesystem::remove(path);
  std::filesystem::rename(dir.file("kept.cfg"), path);
  s = applyAndSave(texts, reading.values, chosen, path);
  EXPECT_TRUE(s.ok);
  EXPECT_TRUE(s.written);
  // The file's own line ends stay, and so does its missing last break.
  EXPECT_EQ(dir.read("my.cfg"), "sensitivity \"4\"\nrate \"25000\"");

  // Applying again with the same choices against the new state writes nothing more.
  s = applyAndSave(texts, chosen, chosen, path);
  EXPECT_FALSE(s.written);
}

TEST(ApplyToOtherFile, OnlyTheChangedRowsGoIntoTheOtherFileWhichKeepsTheRest) {
  TempDir dir;
  const std::string config = dir.write("config.cfg", "sensitivity \"2\"\r\nrate \"25000\"\r\n");
  WizardTexts texts;
  chooseFile(texts, dir.path(), "config.cfg", "");
  const SettingsReading reading = runLoadingPass(texts, {}, false).settings;
  SettingsValues chosen = reading.values;
  chosen[Field::Sensitivity] = "3.5";

  // A missing file is created with the changed row alone; config.cfg is not touched.
  const std::string user = dir.file("userconfig.cfg");
  SaveResult s = applyToOtherFile(reading.values, chosen, user);
  EXPECT_TRUE(s.ok && s.written);
  EXPECT_EQ(dir.read("userconfig.cfg"), "sensitivity \"3.5\"\r\n");
  EXPECT_EQ(dir.read("config.cfg"), "sensitivity \"2\"\r\nrate \"25000\"\r\n");

  // An existing file keeps its other lines and its line ends; nothing changed writes nothing.
  dir.write("userconfig.cfg", "bind \"w\" \"+forward\"\nsensitivity 1\n");
  s = applyToOtherFile(reading.values, chosen, user);
  EXPECT_TRUE(s.ok && s.written);
  EXPECT_EQ(dir.read("userconfig.cfg"), "bind \"w\" \"+forward\"\nsensitivity 3.5\n");
  s = applyToOtherFile(chosen, chosen, user);
  EXPECT_TRUE(s.ok);
  EXPECT_FALSE(s.written);
}
