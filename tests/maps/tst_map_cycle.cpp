// The maps of a game directory, mapcycle.txt, descriptions and the rules for editing the cycle.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/Cp1251.h"
#include "core/FileIO.h"
#include "maps/logic/MapCycle.h"
#include "support/TempDir.h"

using namespace brindle;
using namespace brindle::maps;
using brindle::test::TempDir;
using Lines = std::vector<std::string>;

TEST(MapList, EachMapOnceWithoutExtensionSortedWithoutRegardToCase) {
  TempDir dir;
  for (const char* f : {"de_Zebra.bsp", "cs_italy.bsp", "de_aztec.BSP", "de_aztec.bsp", "Alpha.bsp",
                        "de_a.bsp.bsp", "readme.txt", "de_dust.bsp.txt", ".bsp"})
    dir.write(std::string("maps/") + f, "x");
  std::filesystem::create_directories(dir.file("maps/folder.bsp"));
  dir.write("maps/карта.bsp", "x");  // names on disk are UTF-8

  EXPECT_EQ(listMaps(dir.path()), (Lines{"Alpha", "cs_italy", "de_a.bsp", "de_aztec", "de_Zebra",
                                         core::fromUtf8("карта")}));
}

TEST(MapList, FolderNameInAnyCaseAndNoFolderAtAll) {
  TempDir dir;
  EXPECT_TRUE(listMaps(dir.path()).empty());
  EXPECT_TRUE(listMaps(dir.file("missing")).empty());
  dir.write("MAPS/de_nuke.bsp", "x");
  EXPECT_EQ(listMaps(dir.path()), Lines{"de_nuke"});
  EXPECT_EQ(listMaps(dir.path() + "/"), Lines{"de_nuke"});
}

TEST(MapList, FindMapPrefersTheExactNameAndRefusesAmbiguity) {
  const Lines maps{"cs_office", "de_x", "DE_X"};
  EXPECT_EQ(findMap(maps, "de_x"), "de_x");
  EXPECT_EQ(findMap(maps, "DE_X"), "DE_X");
  EXPECT_EQ(findMap(maps, "De_X"), std::nullopt);
  EXPECT_EQ(findMap(maps, "CS_Office"), "cs_office");
  EXPECT_EQ(findMap(maps, "cs_offic"), std::nullopt);
  EXPECT_EQ(findMap(maps, ""), std::nullopt);
}

TEST(MapCycleFile, MissingFileIsCreatedEmptyOnOpenButNotOnRead) {
  TempDir dir;
  const CycleFile read = readMapCycle(dir.path());
  EXPECT_TRUE(read.ok);
  EXPECT_FALSE(read.exists);
  EXPECT_FALSE(core::pathExists(dir.file("mapcycle.txt")));

  const CycleFile opened = openMapCycle(dir.path());
  ASSERT_TRUE(opened.ok) << opened.error;
  EXPECT_TRUE(opened.created);
  EXPECT_TRUE(opened.entries.empty());
  EXPECT_TRUE(core::fileExists(dir.file("mapcycle.txt")));
  EXPECT_EQ(dir.read("mapcycle.txt"), "");

  EXPECT_FALSE(openMapCycle(dir.path()).created);
}

TEST(MapCycleFile, LinesInFileOrderWithEmptyLinesKept) {
  TempDir dir;
  dir.write("mapcycle.txt", "de_dust2\r\n\r\ncs_italy\r\nde_dust2\r\nde_nuke");
  EXPECT_EQ(openMapCycle(dir.path()).entries, (Lines{"de_dust2", "", "cs_italy", "de_dust2", "de_nuke"}));
  dir.write("mapcycle.txt", "de_train\nde_aztec\n");  // written on another system
  EXPECT_EQ(openMapCycle(dir.path()).entries, (Lines{"de_train", "de_aztec"}));
}

TEST(MapCycleFile, UnusableGameDirectoryIsAnErrorAndCreatesNothing) {
  TempDir dir;
  const CycleFile missing = openMapCycle(dir.file("no-such-dir"));
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.error.find("no-such-dir"), std::string::npos) << missing.error;
  EXPECT_FALSE(core::pathExists(dir.file("no-such-dir")));
  EXPECT_NE(openFailureMessage(missing).find(missing.error), std::string::npos);
  EXPECT_NE(openFailureMessage(missing).find("mapcycle.txt"), std::string::npos);

  // A game directory path that names a file.
  dir.write("file", "x");
  EXPECT_FALSE(openMapCycle(dir.file("file")).ok);

  // Something that is no file stands where mapcycle.txt belongs.
  std::filesystem::create_directories(dir.file("mapcycle.txt"));
  const CycleFile folder = openMapCycle(dir.path());
  EXPECT_FALSE(folder.ok);
  EXPECT_FALSE(folder.error.empty());
  EXPECT_FALSE(readMapCycle(dir.path()).ok);
  std::filesystem::remove(dir.file("mapcycle.txt"));
  std::filesystem::create_symlink(dir.file("nowhere"), dir.file("mapcycle.txt"));
  EXPECT_FALSE(openMapCycle(dir.path()).ok);
  EXPECT_FALSE(core::pathExists(dir.file("nowhere")));
}

TEST(MapCycleFile, SaveWritesEveryEntryWithCrLfAndAnEmptyCycleAsAnEmptyFile) {
  TempDir dir;
  dir.write("mapcycle.txt", "old\r\n");
  ASSERT_TRUE(saveMapCycle(dir.path(), {"de_dust2", "", "de_dust2", "cs_office"}).ok);
  EXPECT_EQ(dir.read("mapcycle.txt"), "de_dust2\r\n\r\nde_dust2\r\ncs_office\r\n");
  ASSERT_TRUE(saveMapCycle(dir.path(), {}).ok);
  EXPECT_EQ(dir.read("mapcycle.txt"), "");

  std::filesystem::remove(dir.file("mapcycle.txt"));
  std::filesystem::create_directories(dir.file("mapcycle.txt"));
  const core::WriteResult failed = saveMapCycle(dir.path(), {"de_nuke"});
  EXPECT_FALSE(failed.ok);
  EXPECT_NE(failed.error.find("mapcycle.txt"), std::string::npos) << failed.error;
}

TEST(Descriptions, TheMapsTextFileAsItIsOrNothing) {
  TempDir dir;
  const std::string text = core::fromUtf8("Пустыня.\r\nДве точки.\r\n");
  dir.write("maps/de_dust2.txt", text);
  dir.write("maps/DE_NUKE.TXT", "nuke");
  dir.write("secret.txt", "outside the maps folder");
  dir.write("maps/big.txt", std::string(kMaxDescriptionBytes + 1, 'x'));

  EXPECT_EQ(readDescription(dir.path(), "de_dust2"), text);
  EXPECT_EQ(readDescription(dir.path(), "de_nuke"), "nuke");
  EXPECT_EQ(readDescription(dir.path(), "de_aztec"), std::nullopt);
  EXPECT_EQ(readDescription(dir.path(), ""), std::nullopt);
  EXPECT_EQ(readDescription(dir.path(), "../secret"), std::nullopt);
  EXPECT_EQ(readDescription(dir.path(), "..\\secret"), std::nullopt);
  EXPECT_EQ(readDescription(dir.path(), "big"), std::nullopt);
}

TEST(CycleEdits, AddAppendsEvenARepeatAndNeedsAMap) {
  MapCycle cycle({"de_dust"});
  cycle.select(0);
  EXPECT_EQ(cycle.add(std::nullopt), Refusal::NoMapToAdd);
  EXPECT_EQ(cycle.entries(), Lines{"de_dust"});
  EXPECT_EQ(cycle.add("de_nuke"), Refusal::None);
  EXPECT_EQ(cycle.add("de_nuke"), Refusal::None);
  EXPECT_EQ(cycle.entries(), (Lines{"de_dust", "de_nuke", "de_nuke"}));
  EXPECT_EQ(cycle.selected(), 0);
}

TEST(CycleEdits, RemoveDeletesTheSelectedEntryOnly) {
  MapCycle cycle({"a", "b", "b", "c"});
  EXPECT_EQ(cycle.removeSelected(), Refusal::NoEntryToRemove);
  EXPECT_EQ(cycle.size(), 4);
  cycle.select(2);
  EXPECT_EQ(cycle.removeSelected(), Refusal::None);
  EXPECT_EQ(cycle.entries(), (Lines{"a", "b", "c"}));
  EXPECT_EQ(cycle.selected(), -1);
  EXPECT_EQ(cycle.removeSelected(), Refusal::NoEntryToRemove);

  MapCycle empty;
  empty.select(0);
  EXPECT_EQ(empty.selected(), -1);
  EXPECT_EQ(empty.removeSelected(), Refusal::NoEntryToRemove);
}

TEST(CycleEdits, MovesExchangeNeighboursAndStopQuietlyAtTheEnds) {
  MapCycle cycle({"a", "b", "c"});
  EXPECT_EQ(cycle.moveSelectedUp(), Refusal::NoEntryToMove);
  EXPECT_EQ(cycle.moveSelectedDown(), Refusal::NoEntryToMove);

  cycle.select(0);
  EXPECT_EQ(cycle.moveSelectedUp(), Refusal::None);
  EXPECT_EQ(cycle.entries(), (Lines{"a", "b", "c"}));
  EXPECT_EQ(cycle.selected(), 0);

  EXPECT_EQ(cycle.moveSelectedDown(), Refusal::None);
  EXPECT_EQ(cycle.moveSelectedDown(), Refusal::None);
  EXPECT_EQ(cycle.entries(), (Lines{"b", "c", "a"}));
  EXPECT_EQ(cycle.selected(), 2);
  EXPECT_EQ(cycle.moveSelectedDown(), Refusal::None);  // the last entry stays last
  EXPECT_EQ(cycle.entries(), (Lines{"b", "c", "a"}));
  EXPECT_EQ(cycle.selected(), 2);

  EXPECT_EQ(cycle.moveSelectedUp(), Refusal::None);
  EXPECT_EQ(cycle.entries(), (Lines{"b", "a", "c"}));
  EXPECT_EQ(cycle.selected(), 1);

  cycle.select(7);
  EXPECT_EQ(cycle.selected(), -1);
}

TEST(CycleEdits, RefusalMessages) {
  EXPECT_EQ(refusalMessage(Refusal::None), "");
  EXPECT_EQ(refusalMessage(Refusal::NoMapToAdd), "Для добавления, выберите карту из списка всех карт!");
  EXPECT_EQ(refusalMessage(Refusal::NoEntryToRemove), "Для удаления, выберите карту из первого списка!");
  EXPECT_EQ(refusalMessage(Refusal::NoEntryToMove), "Выберите карту для перемещения!");
}
