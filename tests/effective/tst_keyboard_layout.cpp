// The keyboard picture holds every key of the program's key list and the mouse buttons the
// game names, each once, with no two keys drawn over each other.
#include <gtest/gtest.h>

#include "editor/logic/EffectiveConfig.h"
#include "overview/logic/Keyboard.h"

namespace {

using brindle::overview::KeyCap;

TEST(KeyboardLayout, EveryEngineKeyHasAPlaceAndNoKeysOverlap) {
  // The program's key list (binds/logic/KeyNames.h) without the two shifted characters
  // "~" and "+", which no key gives unshifted, plus the names it lacks.
  const char* const names[] = {"SHIFT",
                               "CTRL",
                               "ALT",
                               "SPACE",
                               "BACKSPACE",
                               "ENTER",
                               "TAB",
                               "CAPSLOCK",
                               "PAUSE",
                               "ESCAPE",
                               "INS",
                               "HOME",
                               "PGUP",
                               "PGDN",
                               "DEL",
                               "END",
                               "UPARROW",
                               "DOWNARROW",
                               "LEFTARROW",
                               "RIGHTARROW",
                               "1",
                               "2",
                               "3",
                               "4",
                               "5",
                               "6",
                               "7",
                               "8",
                               "9",
                               "0",
                               "a",
                               "m",
                               "z",
                               "-",
                               "=",
                               "`",
                               "\\",
                               "[",
                               "]",
                               ";",
                               "SEMICOLON",
                               "'",
                               ",",
                               ".",
                               "/",
                               "F1",
                               "F12",
                               "MOUSE1",
                               "MOUSE2",
                               "MOUSE3",
                               "MOUSE4",
                               "MOUSE5",
                               "MWHEELUP",
                               "MWHEELDOWN",
                               "KP_HOME",
                               "KP_END",
                               "KP_INS",
                               "KP_DEL",
                               "KP_PGUP",
                               "KP_PGDN",
                               "KP_UPARROW",
                               "KP_DOWNARROW",
                               "KP_LEFTARROW",
                               "KP_RIGHTARROW",
                               "KP_5",
                               "*",
                               "KP_ENTER",
                               "KP_PLUS",
                               "KP_MINUS",
                               "KP_SLASH",
                               "kp_slash"};
  for (const char* n : names) {
    EXPECT_NE(brindle::overview::findKeyCap(n), nullptr) << n;
    EXPECT_TRUE(brindle::overview::isEngineKeyName(n)) << n;
  }
  for (const char* n : {"JOY4", "AUX32", "aux1"})
    EXPECT_TRUE(brindle::overview::isEngineKeyName(n));
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
