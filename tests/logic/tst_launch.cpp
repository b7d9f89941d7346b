// Making the game run the document: config.cfg becomes config, a loader takes its place.
#include <gtest/gtest.h>

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
  const auto r = prepareGameLaunch(game, "/elsewhere/my.cfg");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.gameRoot, dir.path() + "/hl");
  EXPECT_EQ(dir.read("hl/cstrike/config"), "name player\r\n");
  EXPECT_EQ(dir.read("hl/cstrike/config.cfg"), "exec my.cfg\r\nexec config\r\nexec my.cfg\r\n");
}

TEST(Launch, ASecondLaunchBeforeTheGameRanKeepsThePreviousConfiguration) {
  TempDir dir;
  dir.write("cstrike/config.cfg", "sensitivity 3\r\n");
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
  ASSERT_TRUE(prepareGameLaunch(dir.path() + "/cstrike", "my.cfg").ok);
  EXPECT_EQ(dir.read("cstrike/config"), "old\r\n");
  EXPECT_TRUE(isLoader(dir.read("cstrike/config.cfg")));
}

TEST(Launch, TheGamesOwnConfigCfgAsDocumentIsLeftAsItIs) {
  TempDir dir;
  const std::string doc = dir.write("cstrike/config.cfg", "bind x y\r\n");
  ASSERT_TRUE(prepareGameLaunch(dir.path() + "/cstrike", doc).ok);
  EXPECT_EQ(dir.read("cstrike/config.cfg"), "bind x y\r\n");
  EXPECT_FALSE(fileExists(dir.file("cstrike/config")));
}

TEST(Launch, AMissingGameDirectoryIsReportedAndNothingIsCreated) {
  TempDir dir;
  const auto r = prepareGameLaunch(dir.path() + "/nope/cstrike", "my.cfg");
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("config.cfg"), std::string::npos);
}
