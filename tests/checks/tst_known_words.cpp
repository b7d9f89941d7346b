// The known words read from the dictionary's data and the word base.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/Cp1251.h"
#include "dictionary/logic/KnownWords.h"
#include "support/TempDir.h"

using namespace brindle;

namespace {
bool has(const std::vector<std::string>& list, std::string_view word) {
  return std::find(list.begin(), list.end(), word) != list.end();
}

const core::KnownWords& shipped() {
  static const core::KnownWords words = dictionary::readKnownWords(BRINDLE_DATA_DIR "/");
  return words;
}
}  // namespace

TEST(KnownWords, ReadFromTheShippedLists) {
  const core::KnownWords& w = shipped();
  EXPECT_TRUE(w.missing.empty()) << w.missing.front();
  // Commands of every CMD list, the first word of entries with arguments ("impulse 100").
  for (const char* c :
       {"bind", "alias", "+attack", "-attack", "setinfo", "impulse", "buy", "record"})
    EXPECT_TRUE(has(w.commands, c)) << c;
  EXPECT_FALSE(has(w.commands, "impulse 100"));
  EXPECT_EQ(std::count(w.commands.begin(), w.commands.end(), "impulse"), 1);
  for (const char* v :
       {"sensitivity", "cl_updaterate", "hud_fastswitch", "voice_scale", "gl_vsync"})
    EXPECT_TRUE(has(w.variables, v)) << v;
}

// The words that configs the game wrote, a stock amxx.cfg and ReGameDLL's game.cfg use, with
// where they come from and which side reads them.
TEST(KnownWords, TheWordBaseKnowsTheWordsOfRealConfigs) {
  const core::Vocabulary v(shipped());
  struct Case {
    const char* name;
    bool command;
    const char* origin;
    core::WordSide side;
  };
  using enum core::WordSide;
  for (const Case& c : std::initializer_list<Case>{
           {"sizeup", true, "engine", Client},
           {"sizedown", true, "engine", Client},
           {"spec_pip", false, "client", Client},
           {"skin", false, "engine", Client},
           {"team", false, "engine", Client},
           {"cl_mousegrab", false, "client", Client},
           {"con_mono", false, "client", Client},
           {"gl_lightholes", false, "engine", Client},
           {"scoreboard_showavatars", false, "client", Client},
           {"sp_decals", false, "client", Client},
           {"save", true, "engine", Both},
           {"load", true, "engine", Both},
           {"cheer", true, "client", Client},
           {"mp_fraglimit", false, "regamedll", Server},
           {"mp_round_infinite", false, "regamedll", Server},
           {"mp_timelimit", false, "game", Server},
           {"sv_rehlds_force_dlmax", false, "rehlds", Server},
           {"amx_mode", false, "amxmodx", Server},
           {"amx_show_activity", false, "amxmodx", Server},
           {"csstats_rank", false, "amxmodx", Server},
           {"amx_statsx_duration", false, "amxmodx", Server},
           {"meta", true, "metamod", Server},
           {"violence_hblood", false, "engine", Both},
           {"sv_cheats", false, "engine", Server},
           {"yb_quota", false, "plugin:YaPB", Server},
           {"csdm_active", false, "plugin:CSDM", Server},
       }) {
    const auto k = v.lookup(c.name);
    ASSERT_NE(k.info, nullptr) << c.name;
    EXPECT_EQ(k.command, c.command) << c.name;
    EXPECT_EQ(k.info->origin, c.origin) << c.name;
    EXPECT_EQ(k.side, c.side) << c.name;
  }
  // A variable whose documentation lists its values gets them as a range.
  const auto balance = v.lookup("mp_autoteambalance");
  ASSERT_NE(balance.info, nullptr);
  EXPECT_TRUE(balance.info->values.accepts("2"));
  EXPECT_FALSE(balance.info->values.accepts("3"));
  // Words only the dictionary's lists know have no entry of the base.
  EXPECT_TRUE(v.lookup("sensitivity").variable);
}

// The key table with the engine's letter-case rules: one character is that character exactly,
// longer names compare without regard to case.
TEST(KnownWords, KeyTableFollowsTheEngine) {
  const core::Vocabulary v(shipped());
  for (const char* k : {"MOUSE4", "mouse5", "SEMICOLON", "^", "p", "5", "[", "#", "KP_ENTER",
                        "AUX32", "JOY1", "MWHEELDOWN", "PAUSE", "~"})
    EXPECT_TRUE(v.isEngineKey(k)) << k;
  for (const char* k : {"P", "Q", "\"", "F13", "SPACEBAR", "", "SCROLLOCK", "LTRIGGER", "A_BUTTON"})
    EXPECT_FALSE(v.isEngineKey(k)) << k;
}

TEST(KnownWords, MissingOrHeaderlessDataIsNamed) {
  test::TempDir dir;
  const core::KnownWords none = dictionary::readKnownWords(dir.path() + "/");
  EXPECT_TRUE(none.commands.empty());
  EXPECT_TRUE(none.base.empty());
  EXPECT_TRUE(has(none.missing, "words/keys.tsv"));
  EXPECT_TRUE(has(none.missing, "DLLS/Stcmd.dll"));

  // Letter case of the data folders does not matter.
  dir.write("Dlls/STCMD.DLL", "Bind\r\nalias x\r\n");
  dir.write("Dlls/CvarDll/stcvr.dll", "Sensitivity\r\n\r\n  spaced  \r\n");
  const std::string header = "# Words\n# source: owner/repo 0123abcd path/file.cpp\n";
  dir.write("Words/engine.tsv", header +
                                    "echo\tcmd\tengine\tboth\t\n"
                                    "fps_max\tvar\tengine\tboth\t20..1000\n"
                                    "short\tvar\n"
                                    "mode\tvar\tengine\tserver\ta|b\n");
  dir.write("Words/keys.tsv", header + "MOUSE4\tkey\tengine\tclient\t\nx\tkey\tengine\tclient\t\n");
  dir.write("Words/amxmodx.tsv", "echo2\tcmd\tplugin:x\tserver\t\n");  // no header: refused
  dir.write("Words/csdm.tsv", header + "csdm_active\tvar\tplugin:CSDM\tserver\t0..1\n");
  const core::KnownWords w = dictionary::readKnownWords(dir.path() + "/");
  EXPECT_EQ(w.commands, (std::vector<std::string>{"Bind", "alias"}));
  EXPECT_EQ(w.variables, (std::vector<std::string>{"Sensitivity", "spaced"}));
  EXPECT_EQ(w.keyNames, (std::vector<std::string>{"MOUSE4", "x"}));
  ASSERT_EQ(w.base.size(), 4u);
  EXPECT_EQ(w.base[1].name, "fps_max");
  EXPECT_TRUE(w.base[1].variable);
  EXPECT_EQ(w.base[1].side, core::WordSide::Both);
  EXPECT_EQ(w.base[3].origin, "plugin:CSDM");
  EXPECT_EQ(w.base[2].values.items, (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(has(w.missing, "Words/amxmodx.tsv"));
  EXPECT_TRUE(has(w.missing, "Words/client.tsv"));
  EXPECT_FALSE(has(w.missing, "Words/engine.tsv"));
}

TEST(KnownWords, ValueRulesAndOriginTexts) {
  using core::ValueRule;
  const ValueRule range = ValueRule::parse("0..2");
  EXPECT_TRUE(range.accepts("0") && range.accepts(" 1.5") && range.accepts("2abc"));
  EXPECT_FALSE(range.accepts("3") || range.accepts("-1") || range.accepts("on"));
  EXPECT_EQ(range.describe(), "от 0 до 2");
  const ValueRule low = ValueRule::parse("0.5..");
  EXPECT_TRUE(low.accepts("100") && !low.accepts("0.25"));
  EXPECT_EQ(low.describe(), "не меньше 0.5");
  const ValueRule list = ValueRule::parse("0|1|auto");
  EXPECT_TRUE(list.accepts("1.0") && list.accepts("AUTO") && !list.accepts("2"));
  EXPECT_EQ(list.describe(), "одно из: 0, 1, auto");
  for (const char* bad : {"", "..", "a..b", "1..x"}) {
    EXPECT_TRUE(ValueRule::parse(bad).empty()) << bad;
    EXPECT_TRUE(ValueRule::parse(bad).accepts("anything")) << bad;
  }

  using core::Vocabulary;
  core::WordInfo w{"mp_round_infinite", false, true, "regamedll", core::WordSide::Server, {}};
  EXPECT_EQ(Vocabulary::originText(w), "переменная сервера, ReGameDLL_CS");
  w = {"amx_ban", true, false, "amxmodx", core::WordSide::Both, {}};
  EXPECT_EQ(Vocabulary::originText(w), "команда AMX Mod X");
  w = {"csdm_active", false, true, "plugin:CSDM", core::WordSide::Server, {}};
  EXPECT_EQ(Vocabulary::originText(w), "переменная плагина CSDM");
  w = {"sizeup", true, false, "engine", core::WordSide::Client, {}};
  EXPECT_EQ(Vocabulary::originText(w), "команда клиента, движок игры");
}
