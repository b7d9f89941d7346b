// The keyboard picture holds every named key of the engine's key table and the unshifted
// characters, each where it sits, with no two keys drawn over each other.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "editor/logic/EffectiveConfig.h"
#include "overview/logic/Keyboard.h"

namespace {

using brindle::overview::KeyCap;

TEST(KeyboardLayout, EveryEngineKeyHasAPlaceAndNoKeysOverlap) {
  // Every named key of the engine's key table has its place, but the joystick and auxiliary
  // buttons, which no keyboard or mouse has.
  std::ifstream table(BRINDLE_DATA_DIR "/words/keys.tsv");
  ASSERT_TRUE(table.good());
  int named = 0;
  for (std::string line; std::getline(table, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string name = line.substr(0, line.find('\t'));
    if (line.empty() || line[0] == '#' || name.size() < 2) continue;
    EXPECT_TRUE(brindle::overview::isEngineKeyName(name)) << name;
    if (name.rfind("JOY", 0) == 0 || name.rfind("AUX", 0) == 0) continue;
    EXPECT_NE(brindle::overview::findKeyCap(name), nullptr) << name;
    ++named;
  }
  EXPECT_GE(named, 50);
  // The unshifted characters of the main block and keypad, in either spelling or case.
  for (const char* n :
       {"a", "M", "0", "-", "=", "`", "\\", "[", "]", ";", "'", ",", ".", "/", "*", "kp_slash"}) {
    EXPECT_NE(brindle::overview::findKeyCap(n), nullptr) << n;
    EXPECT_TRUE(brindle::overview::isEngineKeyName(n)) << n;
  }
  for (const char* n : {"JOY5", "AUX0", "AUX33", "MOUSE6", "NOSUCHKEY", ""})
    EXPECT_FALSE(brindle::overview::isEngineKeyName(n)) << n;

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
  const brindle::editor::EffectiveConfig c = brindle::editor::computeEffectiveOfText(
      "a.cfg", text, {{}, brindle::overview::isEngineKeyName});
  const auto faces = brindle::overview::keyFaces(c);
  ASSERT_EQ(faces.count("MOUSE4"), 1u);
  EXPECT_EQ(faces.at("MOUSE4").caption, "+jd\n+jump");
  EXPECT_EQ(faces.at("MOUSE4").role, KeyRole::Movement);
  ASSERT_EQ(faces.count("q"), 1u);
  EXPECT_EQ(faces.at("q").role, KeyRole::Unbound);
  EXPECT_TRUE(faces.at("q").overridden);
}

}  // namespace
