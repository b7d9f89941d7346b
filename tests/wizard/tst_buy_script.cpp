// The buy-script generator: golden cases in both game versions, the item tables, and every key's
// script through the config checks.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "binds/logic/KeyNames.h"
#include "core/FileIO.h"
#include "core/Settings.h"
#include "core/Text.h"
#include "dictionary/logic/KnownWords.h"
#include "editor/logic/ConfigCheck.h"
#include "support/GoldenBuy.h"
#include "support/TempDir.h"
#include "wizard/logic/BuyScript.h"
#include "wizard/logic/KeyActions.h"

using namespace brindle;
using namespace brindle::wizard;

namespace {

std::vector<std::string> blockLines(const test::GoldenBuyCase& c) {
  const BuyBlock block = buildBuyBlock(c.key, buildScriptParts(c.choice, c.mode));
  std::vector<std::string> lines = block.aliasLines;
  lines.push_back(block.bindLine);
  return lines;
}

TEST(BuyScriptGolden, EveryCaseGivesItsExpectedLines) {
  const auto cases = test::loadGoldenBuyCases();
  ASSERT_GE(cases.size(), 10u);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(c.error.empty()) << c.error;
    if (std::filesystem::exists(c.dir + "/input.cfg")) continue;  // cases on a working text
    const auto expected = core::readFile(c.dir + "/expected.cfg");
    ASSERT_TRUE(expected.ok) << expected.error;
    EXPECT_EQ(core::joinLines(blockLines(c)), expected.data);
  }
}

TEST(BuyScript, CommandModeUsesNoMenuSteps) {
  for (std::size_t i = 1; i < kPrimaryCount; ++i) {
    BuyChoice c;
    c.primary = i;
    const std::string w = buildScriptParts(c, GameVersion::Cs16).weapon;
    EXPECT_EQ(w.find("menuselect"), std::string::npos) << w;
    EXPECT_EQ(w.back(), ';');
  }
  BuyChoice every;
  every.equipment.fill(true);
  EXPECT_EQ(buildScriptParts(every, GameVersion::Cs16).equipment,
            "vest;vesthelm;flash;hegren;sgren;defuser;nvgs;");
}

TEST(BuyScript, OutOfRangeIndexesAndSeparatorsBuyAndSayNothing) {
  BuyChoice c;
  c.primary = kPrimaryCount;
  c.pistol = 99;
  c.ammo = kAmmoCount;
  c.radio = 7;
  for (GameVersion m : {GameVersion::Cs15, GameVersion::Cs16}) {
    const ScriptParts p = buildScriptParts(c, m);
    EXPECT_TRUE(p.purchases.empty());
    EXPECT_TRUE(p.radio.empty());
  }
  c.radio = kRadioCount;
  EXPECT_TRUE(buildScriptParts(c, GameVersion::Cs15).radio.empty());
}

TEST(BuyScript, MessageGoesToTeamOrEveryoneAndCannotBreakTheAlias) {
  BuyChoice c;
  c.message = "hi";
  EXPECT_EQ(buildScriptParts(c, GameVersion::Cs15).message, "say hi");
  c.audience = Audience::All;
  EXPECT_EQ(buildScriptParts(c, GameVersion::Cs15).message, "say hi");
  c.audience = Audience::Team;
  EXPECT_EQ(buildScriptParts(c, GameVersion::Cs16).message, "say_team hi");
  c.message.clear();
  EXPECT_TRUE(buildScriptParts(c, GameVersion::Cs15).message.empty());

  // A quote would end the alias body, a semicolon would run the rest as a command.
  EXPECT_EQ(chatText("a \"b\"; quit\r\nx"), "a 'b', quit  x");
  EXPECT_EQ(chatText("\xcf\xf0\xe8\xe2\xe5\xf2"), "\xcf\xf0\xe8\xe2\xe5\xf2");
}

TEST(BuyScript, TablesMatchTheLists) {
  EXPECT_TRUE(kPrimaryWeapons[0].caption.empty());
  EXPECT_TRUE(kPistols[0].caption.empty());
  EXPECT_EQ(kAmmunition[0].caption, "No ammo");
  for (std::size_t i : {std::size_t{0}, std::size_t{7}, std::size_t{17}})
    EXPECT_TRUE(kRadioPhrases[i].caption.empty() && kRadioPhrases[i].name.empty()) << i;
  // Every phrase has a sound name and a direct command; all differ.
  std::set<std::string_view> sounds, commands;
  int phrases = 0;
  for (const BuyItem& r : kRadioPhrases) {
    if (r.caption.empty()) continue;
    ++phrases;
    EXPECT_TRUE(sounds.insert(r.name).second) << r.name;
    EXPECT_TRUE(commands.insert(r.commands16).second) << r.commands16;
  }
  EXPECT_EQ(phrases, 21);
  // The radio menus of the 1.5 fragments name the same phrases as the direct commands.
  EXPECT_EQ(kRadioPhrases[14].menus15, "radio3;wait;menuselect 1;");
  EXPECT_EQ(kRadioPhrases[14].commands16, "roger;");
  EXPECT_EQ(kRadioPhrases[16].commands16, "getout;");
}

// Every key's script, in both versions and with every part filled, passes the config checks: in
// particular the aliases of the keys ' , and ; keep their names whole when the key runs them.
TEST(BuyScript, EveryKeysScriptPassesTheConfigChecks) {
  // The words and keys `brindle-cli check` knows.
  core::KnownWords words = dictionary::readKnownWords(BRINDLE_DATA_DIR "/");
  for (const auto key : binds::kKeyNames) words.keyNames.emplace_back(key);
  const core::Vocabulary vocabulary(words);
  BuyChoice c;
  c.primary = 1;
  c.pistol = 2;
  c.ammo = 3;
  c.equipment = {false, true, true, true, true, true, true};
  c.radio = 3;
  c.audience = Audience::Team;
  c.message = "go";
  for (const GameVersion version : {GameVersion::Cs15, GameVersion::Cs16}) {
    const ScriptParts parts = buildScriptParts(c, version);
    for (const std::string_view key : binds::kKeyNames) {
      const BuyBlock block = buildBuyBlock(key, parts);
      std::vector<std::string> lines = block.aliasLines;
      lines.push_back(block.bindLine);
      const editor::CheckResult r = editor::checkConfig(core::joinLines(lines), vocabulary);
      std::string problems;
      for (const editor::Problem& p : r.problems)
        if (p.severity == editor::Severity::Error) problems += p.message + "\n";
      EXPECT_EQ(problems, "") << key << (version == GameVersion::Cs15 ? " 1.5" : " 1.6");
    }
  }
  EXPECT_EQ(buyAliasName("'"), "Kav-APOSTROPHE");
  EXPECT_EQ(buyAliasName(","), "Kav-COMMA");
  EXPECT_EQ(buyAliasName(";"), "Kav-SEMICOLON");
}

TEST(BuyScript, ItemsAreFoundByNumberNameCaptionOrCommand) {
  EXPECT_EQ(findBuyItem(kPrimaryWeapons, "3"), 3u);
  EXPECT_EQ(findBuyItem(kPrimaryWeapons, "M4A1"), 3u);
  EXPECT_EQ(findBuyItem(kPrimaryWeapons, "colt m4a1 carbine rifle"), 3u);
  EXPECT_EQ(findBuyItem(kPrimaryWeapons, "mp5"), 10u);  // the direct command of "mp5navy"
  EXPECT_EQ(findBuyItem(kPistols, "elites"), 1u);
  EXPECT_EQ(findBuyItem(kAmmunition, "FULL (ДЛЯ ВСЕГО ОРУЖИЯ)"), 3u);
  EXPECT_EQ(findBuyItem(kAmmunition, "primammo;secammo"), 3u);
  EXPECT_EQ(findBuyItem(kEquipment, "1", true), 0u);
  EXPECT_EQ(findBuyItem(kEquipment, "vesthelm", true), 1u);
  EXPECT_EQ(findBuyItem(kRadioPhrases, "go"), 3u);
  // The empty entries, separators, numbers out of range and unknown names are not items.
  EXPECT_FALSE(findBuyItem(kPrimaryWeapons, "0"));
  EXPECT_FALSE(findBuyItem(kPrimaryWeapons, "17"));
  EXPECT_FALSE(findBuyItem(kPrimaryWeapons, ""));
  EXPECT_FALSE(findBuyItem(kRadioPhrases, "7"));
  EXPECT_FALSE(findBuyItem(kEquipment, "0", true));
  EXPECT_FALSE(findBuyItem(kEquipment, "8", true));
  EXPECT_FALSE(findBuyItem(kPistols, "famas"));
}

TEST(BuyScript, KeyNamesAreTakenAsTheKeyListWritesThem) {
  EXPECT_EQ(canonicalKeyName("mouse3"), "MOUSE3");
  EXPECT_EQ(canonicalKeyName("W"), "w");
  EXPECT_EQ(canonicalKeyName("f10"), "F10");
  EXPECT_EQ(canonicalKeyName("\\"), "\\");
  EXPECT_EQ(canonicalKeyName("MOUSE4"), "");
  EXPECT_EQ(canonicalKeyName(""), "");
}

TEST(BuyScript, ModeIsKeptInTheSettingsFileWithCommandsAsDefault) {
  test::TempDir dir;
  core::Settings settings(dir.file("Zarurud.INI"));
  EXPECT_EQ(loadGameVersion(settings), GameVersion::Cs16);
  ASSERT_TRUE(saveGameVersion(settings, GameVersion::Cs15).ok);
  EXPECT_EQ(loadGameVersion(settings), GameVersion::Cs15);
  ASSERT_TRUE(saveGameVersion(settings, GameVersion::Cs16).ok);
  EXPECT_EQ(loadGameVersion(settings), GameVersion::Cs16);
  ASSERT_TRUE(settings.writeString("Wizard", "GameVersion", "x").ok);
  EXPECT_EQ(loadGameVersion(settings), GameVersion::Cs16);
}

TEST(KeyActions, FortyFourButtonsEachWithItsOwnCommand) {
  std::set<std::string_view> buttons, commands;
  for (const KeyAction& a : kKeyActions) {
    EXPECT_TRUE(buttons.insert(a.button).second) << a.button;
    EXPECT_TRUE(commands.insert(a.command).second) << a.command;
    EXPECT_EQ(a.command.front(), '"');
    EXPECT_EQ(a.command.back(), '"');
  }
  EXPECT_EQ(buttons.size(), 44u);
  EXPECT_EQ(buttons.count("Button8"), 0u);
  for (int n = 4; n <= 48; ++n) {
    if (n == 8) continue;
    EXPECT_NE(findKeyAction("Button" + std::to_string(n)), nullptr) << n;
  }
  EXPECT_EQ(findKeyAction("Button26")->command, "\"slot10\"");
  EXPECT_EQ(findKeyAction("Button41")->command, "\"+reload\"");
  EXPECT_EQ(findKeyAction("Button33")->command, "\"impulse 100\"");
  EXPECT_EQ(findKeyAction("Button49"), nullptr);
  EXPECT_EQ(actionBindLine("w", "\"+forward\""), "bind \"w\" \"+forward\"");
  EXPECT_EQ(boundKeySuffix("\"+forward\""), "\" \"+forward\"");
}

}  // namespace
