#pragma once
// The keyboard picture's content, Qt-free: where every key the game's `bind` accepts sits on a
// real keyboard (a full-size US layout with function keys and keypad, and a five-button mouse
// with a wheel), and what each key ends up doing in an effective configuration. Which names are
// keys is the key table's (data/words/keys.tsv, core::Vocabulary::bindsKey); the layout only
// places them, and a test holds it to the table.
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>

#include "core/ConsoleScript.h"
#include "editor/logic/EffectiveConfig.h"

namespace brindle::overview {

// One key of the picture, in quarters of a key width from the top left corner.
struct KeyCap {
  std::string_view name;   // the engine's key name; empty for a key the game cannot bind
  std::string_view label;  // the text printed on the key
  int x = 0;
  int y = 0;
  int w = 4;
  int h = 4;
};

// Every key of the picture; the keyboard, then the mouse to its right.
std::span<const KeyCap> keyboardLayout();
// The picture's size in quarters of a key width.
int layoutWidth();
int layoutHeight();
// The key a name given to `bind` stands for, or null: by core::keySpelling, so "p" and "P" are
// two keys and only "p" is on the keyboard; "mouse4" and "MOUSE4" are one.
const KeyCap* findKeyCap(std::string_view name);

// What a bound key does, by its command: the picture gives every kind a colour.
enum class KeyRole : std::uint8_t { Unbound, Movement, Weapons, Buy, RadioChat, Other };
// The role of a bind's value (CP1251); a bind to an alias is judged by the alias's value too.
KeyRole roleOf(std::string_view value, std::string_view aliasValue = {});
// Russian name of the role, for the legend (UTF-8).
std::string_view roleCaption(KeyRole role);

// One key as the picture shows it.
struct KeyFace {
  std::string caption;  // the command, or the alias and its first command (CP1251)
  KeyRole role = KeyRole::Unbound;
  bool severalFiles = false;  // bound in more than one file
  bool overridden = false;    // a later line replaced or removed an earlier bind
  const editor::EffectiveEntry* entry = nullptr;  // null when no line ever bound the key
};

// The faces of every key the configuration binds or ever bound, by engine key name.
std::map<std::string, KeyFace, std::less<>> keyFaces(const editor::EffectiveConfig& config);

// The value's first command ("+jump" of "+jump; wait").
using core::firstCommandOf;

}  // namespace brindle::overview
