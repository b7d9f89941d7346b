// Making the game run the document: config.cfg becomes config, a loader takes its place.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/FileIO.h"
#include "game/logic/GameLaunch.h"
#include "support/TempDir.h"

using namespace brindle::core;
using namespace brindle::game;

using namespace brindle;
using brindle::test::TempDir;

TEST(GameRoot, IsTheGameDirectoryLessTheModFolder) {
  EXPECT_EQ(gameRootOf("C:\\HL\\cstrike"), "C:\\HL");
  EXPECT_EQ(gameRootOf("/games/hl/cstrike"), "/games/hl");
  EXPECT_EQ(gameRootOf("C:\\cs"), "");
  EXPECT_EQ(gameRootOf("12345678"), "");
}

TEST(Launch, RenamesConfigAndWritesTheThreeLineLoader) {
  TempDir dir;
  dir.write("hl/cstrike/config.cfg", "name player\r\n");
  const std::string game = dir.path() + "/hl/cstrike";
  const std::string doc = dir.write("hl/cstrike/my.cfg", "bind x y\r\n");
  const auto r = prepareGameLaunch(game, doc);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.gameRoot, dir.path() + "/hl");
  EXPECT_EQ(dir.read("hl/cstrike/config"), "name player\r\n");
  EXPECT_EQ(dir.read("hl/cstrike/config.cfg"), "exec my.cfg\r\nexec config\r\nexec my.cfg\r\n");
  EXPECT_FALSE(fileExists(dir.file("hl/cstrike/brindle_run.cfg")));
}

TEST(Launch, ADocumentOutsideTheGameDirectoryRunsFromACopy) {
  TempDir dir;
  dir.write("hl/cstrike/config.cfg", "name player\r\n");
  // A file of the same name in the game directory must not be run instead of the document.
  dir.write("hl/cstrike/my.cfg", "other\r\n");
  const std::string doc = dir.write("elsewhere/my.cfg", "bind x y\r\n");
  const auto r = prepareGameLaunch(dir.path() + "/hl/cstrike", doc);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(dir.read("hl/cstrike/brindle_run.cfg"), "bind x y\r\n");
  EXPECT_EQ(dir.read("hl/cstrike/config.cfg"),
            "exec brindle_run.cfg\r\nexec config\r\nexec brindle_run.cfg\r\n");
  EXPECT_EQ(dir.read("hl/cstrike/my.cfg"), "other\r\n");
  EXPECT_EQ(dir.read("hl/cstrike/config"), "name player\r\n");
}

TEST(Launch, AConfigCfgThatCannotBeSetAsideStopsTheLaunchAndTouchesNothing) {
  TempDir dir;
  dir.write("cstrike/config.cfg", "sensitivity 3\r\n");
  // A folder in the place of "config" makes the rename fail, also for root.
  std::filesystem::create_directories(dir.file("cstrike/config/keep"));
  const std::string doc = dir.write("cstrike/my.cfg", "x\r\n");
  const auto r = prepareGameLaunch(dir.path() + "/cstrike", doc);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("config.cfg"), std::string::npos);
  EXPECT_EQ(dir.read("cstrike/config.cfg"), "sensitivity 3\r\n");
}

TEST(Launch, TheGamesConfigAsDocumentIsNeverOverwritten) {
  TempDir dir;
  dir.write("cstrike/config.cfg", "from the game\r\n");
  const std::string doc = dir.write("cstrike/config", "my previous settings\r\n");
  const auto r = prepareGameLaunch(dir.path() + "/cstrike", doc);
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.error.empty());
  EXPECT_EQ(dir.read("cstrike/config"), "my previous settings\r\n");
  EXPECT_EQ(dir.read("cstrike/config.cfg"), "from the game\r\n");
}

TEST(Launch, ASecondLaunchBeforeTheGameRanKeepsThePreviousConfiguration) {
  TempDir dir;
  dir.write("cstrike/config.cfg", "sensitivity 3\r\n");
  dir.write("cstrike/a.cfg", "a\r\n");
  dir.write("cstrike/b.cfg", "b\r\n");
  const std::string game = dir.path() + "/cstrike";
  ASSERT_TRUE(prepareGameLaunch(game, game + "/a.cfg").ok);
  ASSERT_TRUE(prepareGameLaunch(game, game + "/b.cfg").ok);
  EXPECT_EQ(dir.read("cstrike/config"), "sensitivity 3\r\n");
  EXPECT_EQ(dir.read("cstrike/config.cfg"), "exec b.cfg\r\nexec config\r\nexec b.cfg\r\n");

  // Once the game has written its own config.cfg again, that one becomes the new "config".
  dir.write("cstrike/config.cfg", "sensitivity 4\r\n");
  ASSERT_TRUE(prepareGameLaunch(game, game + "/b.cfg").ok);
  EXPECT_EQ(dir.read("cstrike/config"), "sensitivity 4\r\n");
}

TEST(Launch, WithoutAConfigCfgAnOldConfigIsKept) {
  TempDir dir;
  dir.write("cstrike/config", "old\r\n");
  const std::string doc = dir.write("cstrike/my.cfg", "x\r\n");
  ASSERT_TRUE(prepareGameLaunch(dir.path() + "/cstrike", doc).ok);
  EXPECT_EQ(dir.read("cstrike/config"), "old\r\n");
  EXPECT_TRUE(isLoader(dir.read("cstrike/config.cfg")));
}

TEST(Launch, TheGamesOwnConfigCfgAsDocumentRunsFromACopyAndIsKeptAsConfig) {
  TempDir dir;
  const std::string doc = dir.write("cstrike/config.cfg", "bind x y\r\n");
  ASSERT_TRUE(prepareGameLaunch(dir.path() + "/cstrike", doc).ok);
  // The loader must not execute itself: it runs the copy, and the document lives on as config.
  EXPECT_EQ(dir.read("cstrike/brindle_run.cfg"), "bind x y\r\n");
  EXPECT_EQ(dir.read("cstrike/config"), "bind x y\r\n");
  EXPECT_EQ(dir.read("cstrike/config.cfg"),
            "exec brindle_run.cfg\r\nexec config\r\nexec brindle_run.cfg\r\n");
}

TEST(Launch, AMissingGameDirectoryIsReportedAndNothingIsCreated) {
  TempDir dir;
  const std::string doc = dir.write("my.cfg", "x\r\n");
  const auto r = prepareGameLaunch(dir.path() + "/nope/cstrike", doc);
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.error.empty());
  EXPECT_FALSE(pathExists(dir.file("nope")));
}
