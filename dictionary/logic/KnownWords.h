#pragma once
// The words the game knows, as the dictionary's data lists them: for the editor's highlighting,
// checks and completion.
#include <string>
#include <string_view>

#include "core/ConsoleScript.h"

namespace brindle::dictionary {

// Commands: the first word of every entry of the CMD tab's list files ("impulse 100" gives
// "impulse"). Variables: likewise from the CVAR tab's list files. On/off variables: those
// variables whose explanation in dlls\ans1.pro describes the values 0 and 1 and no other.
// Missing files give fewer words. Key names are no dictionary data: `keyNames` stays empty.
core::KnownWords readKnownWords(const std::string& programDir);

// Whether an explanation (CP1251) names exactly the values 0 and 1, each followed by a dash:
// "1 — включено; 0 — выключено".
bool describesSwitch(std::string_view explanation);

}  // namespace brindle::dictionary
