// brindle-cli mapcycle DIR [--set MAP...]: listing a game directory, writing its map cycle.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/RunCommand.h"
#include "support/TempDir.h"

using brindle::test::CommandResult;
using brindle::test::TempDir;

namespace {

CommandResult run(const std::string& args) {
  return brindle::test::runCommand(std::string(BRINDLE_CLI) + " mapcycle " + args);
}

std::string quoted(const std::string& path) { return "'" + path + "'"; }

// A game directory with three maps and a cycle.
std::string gameDirectory(const TempDir& dir) {
  for (const char* m : {"de_dust2", "de_nuke", "cs_italy"})
    dir.write(std::string("cstrike/maps/") + m + ".bsp", "x");
  dir.write("cstrike/mapcycle.txt", "de_nuke\r\n\r\nde_gone\r\n");
  return dir.file("cstrike");
}

}  // namespace

TEST(CliMapcycle, ListsTheMapsAndTheCycleMarkingEntriesWithoutAMap) {
  TempDir dir;
  const std::string game = gameDirectory(dir);
  const CommandResult r = run(quoted(game));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(
      r.out,
      "Карты в maps (3):\n  cs_italy\n  de_dust2\n  de_nuke\n"
      "Смена карт mapcycle.txt (3):\n  de_nuke\n  (пустая строка)\n  de_gone  (нет файла карты)\n");

  // Listing never creates the cycle file.
  std::filesystem::remove(game + "/mapcycle.txt");
  const CommandResult none = run(quoted(game));
  EXPECT_EQ(none.status, 0) << none.err;
  EXPECT_NE(none.out.find("Файла mapcycle.txt нет."), std::string::npos) << none.out;
  EXPECT_FALSE(std::filesystem::exists(game + "/mapcycle.txt"));
}

TEST(CliMapcycle, SetWritesKnownMapsInTheirListedSpelling) {
  TempDir dir;
  const std::string game = gameDirectory(dir);
  const CommandResult r = run(quoted(game) + " --set de_dust2 DE_NUKE de_dust2");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(dir.read("cstrike/mapcycle.txt"), "de_dust2\r\nde_nuke\r\nde_dust2\r\n");

  const CommandResult empty = run(quoted(game) + " --set");
  EXPECT_EQ(empty.status, 0) << empty.err;
  EXPECT_EQ(dir.read("cstrike/mapcycle.txt"), "");
}

TEST(CliMapcycle, UnknownMapIsRefusedAndNothingIsWritten) {
  TempDir dir;
  const std::string game = gameDirectory(dir);
  const std::string before = dir.read("cstrike/mapcycle.txt");
  const CommandResult r = run(quoted(game) + " --set de_dust2 de_mirage de_nuke.bsp");
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.err.find("\"de_mirage\""), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("\"de_nuke.bsp\""), std::string::npos) << r.err;
  EXPECT_EQ(dir.read("cstrike/mapcycle.txt"), before);

  // Without a maps folder every map is unknown.
  dir.write("empty/mapcycle.txt", "de_dust\r\n");
  EXPECT_NE(run(quoted(dir.file("empty")) + " --set de_dust").status, 0);
  EXPECT_EQ(dir.read("empty/mapcycle.txt"), "de_dust\r\n");
}

TEST(CliMapcycle, HelpAndBadInput) {
  TempDir dir;
  const std::string game = gameDirectory(dir);
  const CommandResult help = run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("mapcycle DIR [--set MAP...]"), std::string::npos) << help.out;
  EXPECT_EQ(run(quoted(game) + " -h").status, 0);

  const CommandResult noDir = run("");
  EXPECT_NE(noDir.status, 0);
  EXPECT_NE(noDir.err.find("каталог игры"), std::string::npos) << noDir.err;

  const CommandResult missing = run(quoted(dir.file("nothing")) + " --set de_nuke");
  EXPECT_NE(missing.status, 0);
  EXPECT_NE(missing.err.find("nothing"), std::string::npos) << missing.err;
  EXPECT_FALSE(std::filesystem::exists(dir.file("nothing")));

  EXPECT_NE(run(quoted(game) + " --sett de_nuke").status, 0);
  EXPECT_NE(run(quoted(game) + " de_nuke").status, 0);  // maps go after --set

  // A cycle file that cannot be read: the maps are still listed, the failure reported.
  std::filesystem::remove(game + "/mapcycle.txt");
  std::filesystem::create_directories(game + "/mapcycle.txt");
  const CommandResult unreadable = run(quoted(game));
  EXPECT_NE(unreadable.status, 0);
  EXPECT_NE(unreadable.out.find("de_nuke"), std::string::npos);
  EXPECT_NE(unreadable.err.find("mapcycle.txt"), std::string::npos) << unreadable.err;
  const CommandResult unwritable = run(quoted(game) + " --set de_nuke");
  EXPECT_NE(unwritable.status, 0);
  EXPECT_FALSE(unwritable.err.empty());
}
