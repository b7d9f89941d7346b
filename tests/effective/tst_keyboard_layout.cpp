// The keyboard picture holds every named key of the engine's key table and the unshifted
// characters, each where it sits, with no two keys drawn over each other.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "binds/logic/KeyNames.h"
#include "core/ConsoleScript.h"
#include "editor/logic/EffectiveConfig.h"
#include "overview/logic/Keyboard.h"

namespace {

using brindle::overview::KeyCap;

TEST(KeyboardLayout, EveryEngineKeyHasAPlaceAndNoKeysOverlap) {
  // The key table is the one rule: every named key of it has its place, but the joystick and
  // auxiliary buttons, which no keyboard or mouse has; every place names a key of the table, in
  // the table's spelling; and the bind dialog offers keys of the table only.
  std::ifstream table(BRINDLE_DATA_DIR "/words/keys.tsv");
  ASSERT_TRUE(table.good());
  brindle::core::KnownWords words;
  for (std::string line; std::getline(table, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    words.keyNames.push_back(line.substr(0, line.find('\t')));
  }
  const brindle::core::Vocabulary keys(words);
  int named = 0;
  for (const std::string& name : words.keyNames) {
    EXPECT_TRUE(keys.bindsKey(name)) << name;
    if (name.size() < 2 || name.rfind("JOY", 0) == 0 || name.rfind("AUX", 0) == 0) continue;
    EXPECT_NE(brindle::overview::findKeyCap(name), nullptr) << name;
    ++named;
  }
  EXPECT_GE(named, 50);
  for (const KeyCap& cap : brindle::overview::keyboardLayout()) {
    if (cap.name.empty()) continue;
    EXPECT_TRUE(keys.isEngineKey(cap.name)) << cap.name;
    EXPECT_EQ(brindle::core::keySpelling(cap.name), cap.name);
  }
  for (const std::string_view name : brindle::binds::kKeyNames)
    EXPECT_TRUE(keys.isEngineKey(name)) << name;
  // One-character names are key codes exactly as written; longer names ignore case.
  EXPECT_NE(brindle::overview::findKeyCap("p"), nullptr);
  EXPECT_EQ(brindle::overview::findKeyCap("P"), nullptr);
  EXPECT_TRUE(keys.bindsKey("P"));
  EXPECT_FALSE(keys.isEngineKey("P"));
  EXPECT_EQ(brindle::overview::findKeyCap("kp_slash"), brindle::overview::findKeyCap("KP_SLASH"));
  EXPECT_EQ(brindle::overview::findKeyCap(";"), brindle::overview::findKeyCap("semicolon"));
  for (const char* n : {"JOY5", "AUX0", "AUX33", "MOUSE6", "NOSUCHKEY", ""})
    EXPECT_FALSE(keys.bindsKey(n)) << n;

  const auto caps = brindle::overview::keyboardLayout();
  for (std::size_t i = 0; i < caps.size(); ++i) {
    const KeyCap& a = caps[i];
    EXPECT_LE(a.x + a.w, brindle::overview::layoutWidth()) << a.label;
    EXPECT_LE(a.y + a.h, brindle::overview::layoutHeight()) << a.label;
    for (std::size_t j = i + 1; j < caps.size(); ++j) {
      const KeyCap& b = caps[j];
      const bool apart =
          a.x + a.w <= b.x || b.x + b.w <= a.x || a.y + a.h <= b.y || b.y + b.h <= a.y;
      EXPECT_TRUE(apart) << a.label << " / " << b.label;
    }
  }
}

// Colours follow what the key ends up doing, through an alias when the bind names one.
TEST(KeyboardLayout, RolesAndFaces) {
  using brindle::overview::KeyRole;
  using brindle::overview::roleOf;
  EXPECT_EQ(roleOf("+moveleft"), KeyRole::Movement);
  EXPECT_EQ(roleOf("slot3"), KeyRole::Weapons);
  EXPECT_EQ(roleOf("weapon_knife"), KeyRole::Weapons);
  EXPECT_EQ(roleOf("buy; menuselect 4"), KeyRole::Buy);
  EXPECT_EQ(roleOf("\"ak47; primammo\""), KeyRole::Buy);
  EXPECT_EQ(roleOf("say_team need backup"), KeyRole::RadioChat);
  EXPECT_EQ(roleOf("+jd", "+jump; wait; +duck"), KeyRole::Movement);
  EXPECT_EQ(roleOf("snapshot"), KeyRole::Other);
  EXPECT_EQ(roleOf(""), KeyRole::Unbound);

  const std::string text =
      "alias +jd \"+jump; +duck\"\r\nbind mouse4 +jd\r\nbind q lastinv\r\nunbind q\r\n";
  const brindle::editor::EffectiveConfig c = brindle::editor::computeEffectiveOfText("a.cfg", text);
  const auto faces = brindle::overview::keyFaces(c);
  ASSERT_EQ(faces.count("MOUSE4"), 1u);
  EXPECT_EQ(faces.at("MOUSE4").caption, "+jd\n+jump");
  EXPECT_EQ(faces.at("MOUSE4").role, KeyRole::Movement);
  ASSERT_EQ(faces.count("q"), 1u);
  EXPECT_EQ(faces.at("q").role, KeyRole::Unbound);
  EXPECT_TRUE(faces.at("q").overridden);
}

}  // namespace
