// The maps of a game directory, mapcycle.txt in directories the editor cannot work in, and
// descriptions. The editing rules are tested through the window.
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
  EXPECT_TRUE(listMaps(dir.path()).empty());
  for (const char* f : {"de_Zebra.bsp", "cs_italy.bsp", "de_aztec.BSP", "de_aztec.bsp", "Alpha.bsp",
                        "de_a.bsp.bsp", "readme.txt", "de_dust.bsp.txt", ".bsp"})
    dir.write(std::string("MAPS/") + f, "x");
  std::filesystem::create_directories(dir.file("MAPS/folder.bsp"));
  dir.write("MAPS/карта.bsp", "x");  // names on disk are UTF-8, map names CP1251
#ifndef _WIN32
  // A name that cannot stand on one line of mapcycle.txt (Windows allows no such name).
  dir.write("MAPS/de_cr\rx.bsp", "x");
  dir.write("MAPS/de_lf\n.bsp", "x");
#endif

  EXPECT_EQ(listMaps(dir.path()), (Lines{"Alpha", "cs_italy", "de_a.bsp", "de_aztec", "de_Zebra",
                                         core::fromUtf8("карта")}));
}

TEST(MapList, FindMapPrefersTheExactNameAndRefusesAmbiguity) {
  const Lines maps{"cs_office", "de_x", "DE_X"};
  EXPECT_EQ(findMap(maps, "DE_X"), "DE_X");
  EXPECT_EQ(findMap(maps, "De_X"), std::nullopt);
  EXPECT_EQ(findMap(maps, "CS_Office"), "cs_office");
  EXPECT_EQ(findMap(maps, "cs_offic"), std::nullopt);
}

TEST(MapCycleFile, UnusableGameDirectoryIsAnErrorAndCreatesNothing) {
  TempDir dir;
  const CycleFile missing = openMapCycle(dir.file("no-such-dir"));
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.error.find("no-such-dir"), std::string::npos) << missing.error;
  EXPECT_FALSE(core::pathExists(dir.file("no-such-dir")));
  EXPECT_NE(openFailureMessage(missing).find(missing.error), std::string::npos);

  dir.write("file", "x");  // a game directory path that names a file
  EXPECT_FALSE(openMapCycle(dir.file("file")).ok);

  // A folder where mapcycle.txt belongs: reported, and left as it is.
  TempDir folderCase;
  std::filesystem::create_directory(folderCase.file("mapcycle.txt"));
  EXPECT_FALSE(openMapCycle(folderCase.path()).ok);
  EXPECT_FALSE(readMapCycle(folderCase.path()).ok);
  EXPECT_TRUE(std::filesystem::is_directory(folderCase.file("mapcycle.txt")));

#ifndef _WIN32
  // A link to nowhere where mapcycle.txt belongs: reported, and nothing created through it.
  // (Windows grants symbolic links only to privileged accounts, so this case is POSIX's.)
  std::filesystem::create_symlink(dir.file("nowhere"), dir.file("mapcycle.txt"));
  EXPECT_FALSE(openMapCycle(dir.path()).ok);
  EXPECT_FALSE(readMapCycle(dir.path()).ok);
  EXPECT_FALSE(core::pathExists(dir.file("nowhere")));
#endif
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
