// The demo game directory examples/cstrike: the standard maps, their descriptions as the game's
// text files are written (CP1251, CR LF), and a cycle of maps that are there.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/Cp1251.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "maps/logic/MapCycle.h"

using namespace brindle;

namespace {

const std::string kDemo = std::string(BRINDLE_SOURCE_DIR) + "/examples/cstrike";

}  // namespace

TEST(DemoGameDirectory, HoldsTheStandardMapsAndACycleOfThem) {
  const std::vector<std::string> maps = maps::listMaps(kDemo);
  for (const char* m :
       {"de_dust",   "de_dust2",   "de_aztec",     "de_inferno",  "de_nuke",  "de_train",
        "de_cbble",  "de_prodigy", "de_chateau",   "de_piranesi", "de_storm", "de_survivor",
        "de_torn",   "de_vertigo", "de_airstrip",  "cs_assault",  "cs_italy", "cs_militia",
        "cs_office", "cs_siege",   "cs_backalley", "cs_havana",   "as_oilrig"})
    EXPECT_EQ(maps::findMap(maps, m), m);

  const maps::CycleFile cycle = maps::readMapCycle(kDemo);
  ASSERT_TRUE(cycle.ok && cycle.exists) << cycle.error;
  EXPECT_GE(cycle.entries.size(), 5u);
  for (const std::string& e : cycle.entries) EXPECT_EQ(maps::findMap(maps, e), e);
}

TEST(DemoGameDirectory, DescriptionsAreRussianCp1251TextWithCrLf) {
  const std::vector<std::string> maps = maps::listMaps(kDemo);
  std::size_t described = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kDemo + "/maps")) {
    if (entry.path().extension() != ".txt") continue;
    const std::string stem = entry.path().stem().string();
    SCOPED_TRACE(stem);
    EXPECT_EQ(maps::findMap(maps, stem), stem) << "a description without its map";
    const core::ReadResult r = core::readFile(entry.path().string());
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(core::asFileText(r.data), r.data) << "every line ends with CR LF";
    // Cyrillic letters of CP1251, not the two-byte sequences of UTF-8.
    EXPECT_NE(r.data.find(core::fromUtf8("спецназ")), std::string::npos);
    EXPECT_EQ(r.data.find("\xD0\xBA"), std::string::npos);
    ++described;
  }
  EXPECT_GT(described * 3, maps.size() * 2) << "most maps have a description";
  EXPECT_LT(described, maps.size()) << "some map shows the no-description line";
}
