#pragma once
// The key names the game's `bind` command accepts, in the order every key list of the program
// shows them: named keys, digits, letters, one-character keys, function keys, mouse, keypad.
// They are written into configs exactly as listed (named keys upper case, letters lower case).
#include <array>
#include <cstddef>
#include <string_view>

namespace brindle::binds {

inline constexpr std::size_t kKeyCount = 102;

inline constexpr std::array<std::string_view, kKeyCount> kKeyNames = {
    // named keys
    "SHIFT", "CTRL", "ALT", "SPACE", "BACKSPACE", "ENTER", "TAB", "CAPSLOCK", "PAUSE", "ESCAPE",
    "INS", "HOME", "PGUP", "PGDN", "DEL", "END", "UPARROW", "DOWNARROW", "LEFTARROW", "RIGHTARROW",
    // digits
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "0",
    // letters
    "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n", "o", "p", "q", "r", "s",
    "t", "u", "v", "w", "x", "y", "z",
    // one-character keys
    "-", "=", "+", "`", "~", "\\", "[", "]", ";", "'", ",", ".", "/",
    // function keys
    "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12",
    // mouse
    "MOUSE1", "MOUSE2", "MOUSE3", "MWHEELUP", "MWHEELDOWN",
    // keypad
    "KP_HOME", "KP_END", "KP_INS", "KP_DEL", "KP_PGUP", "KP_PGDN", "KP_UPARROW", "KP_DOWNARROW",
    "KP_LEFTARROW", "KP_RIGHTARROW", "KP_5", "*", "KP_ENTER", "KP_PLUS", "KP_MINUS", "KP_SLASH"};

}  // namespace brindle::binds
