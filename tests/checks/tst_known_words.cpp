// The known words read from the dictionary's data.
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
}  // namespace

TEST(KnownWords, ReadFromTheShippedLists) {
  const core::KnownWords w = dictionary::readKnownWords(BRINDLE_DATA_DIR "/");
  // Commands of every CMD list, the first word of entries with arguments ("impulse 100").
  for (const char* c :
       {"bind", "alias", "+attack", "-attack", "setinfo", "impulse", "buy", "record"})
    EXPECT_TRUE(has(w.commands, c)) << c;
  EXPECT_FALSE(has(w.commands, "impulse 100"));
  EXPECT_EQ(std::count(w.commands.begin(), w.commands.end(), "impulse"), 1);
  for (const char* v :
       {"sensitivity", "cl_updaterate", "hud_fastswitch", "voice_scale", "gl_vsync"})
    EXPECT_TRUE(has(w.variables, v)) << v;
  // On/off variables are those whose explanation names exactly the values 0 and 1.
  for (const char* s : {"hud_fastswitch", "cl_lw", "mp_friendlyfire"})
    EXPECT_TRUE(has(w.switches, s)) << s;
  for (const char* s : {"sensitivity", "net_graph", "cl_bob", "developer"})
    EXPECT_FALSE(has(w.switches, s)) << s;
  EXPECT_TRUE(w.keyNames.empty());
}

TEST(KnownWords, SwitchesAreTheVariablesExplainedAsZeroOrOne) {
  using dictionary::describesSwitch;
  EXPECT_TRUE(describesSwitch(core::fromUtf8("Быстрый выбор: 1 — сразу; 0 — со списком.")));
  EXPECT_FALSE(describesSwitch(core::fromUtf8("0 — нет, 1 — кратко, 2 — подробно.")));
  EXPECT_FALSE(describesSwitch(core::fromUtf8("Амплитуда; 0 — не качается. По умолчанию 0.01.")));
  EXPECT_FALSE(describesSwitch(core::fromUtf8("Значения 0 и 1; 10 — много.")));
  EXPECT_FALSE(describesSwitch(""));
}

TEST(KnownWords, MissingDataGivesNoWords) {
  test::TempDir dir;
  const core::KnownWords w = dictionary::readKnownWords(dir.path() + "/");
  EXPECT_TRUE(w.commands.empty());
  EXPECT_TRUE(w.variables.empty());
  EXPECT_TRUE(w.switches.empty());
  // Letter case of the data folders does not matter.
  dir.write("Dlls/STCMD.DLL", "Bind\r\nalias x\r\n");
  dir.write("Dlls/CvarDll/stcvr.dll", "Sensitivity\r\n\r\n  spaced  \r\n");
  dir.write("Dlls/ANS1.PRO", core::fromUtf8("[sensitivity]\r\nq=1 — да, 0 — нет\r\n"));
  const core::KnownWords v = dictionary::readKnownWords(dir.path() + "/");
  EXPECT_EQ(v.commands, (std::vector<std::string>{"Bind", "alias"}));
  EXPECT_EQ(v.variables, (std::vector<std::string>{"Sensitivity", "spaced"}));
  EXPECT_EQ(v.switches, (std::vector<std::string>{"Sensitivity"}));
}
