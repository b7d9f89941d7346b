#pragma once
// The words the game knows, as the dictionary's data lists them: for the editor's highlighting,
// checks and completion.
#include <string>
#include <string_view>

#include "core/ConsoleScript.h"

namespace brindle::dictionary {

// Commands: the first word of every entry of the CMD tab's list files ("impulse 100" gives
// "impulse"). Variables: likewise from the CVAR tab's list files. The values a variable takes
// come from the word base only (WordInfo::values).
// The word base: every row of the files in words/ (keys.tsv gives the engine's key names).
// List files and word-base files that are missing, unreadable or (word base) without their
// source header give no words and are named in `missing`, relative to the program directory
// ("words/keys.tsv", "DLLS/Stcmd.dll").
core::KnownWords readKnownWords(const std::string& programDir);

// One file of the word base. Rows are "name<TAB>kind<TAB>origin<TAB>side<TAB>values" with kind
// cmd, var or key; key rows go to `keyNames`, the others to `base`. The file must start with
// '#' lines naming where its words come from ("# source: <repository> <commit> ..."); a file
// without them is refused. Further '#' lines are comments, except "#<TAB>...", the row of the
// key "#". False when refused or unreadable.
bool readWordFile(const std::string& path, core::KnownWords& words);

}  // namespace brindle::dictionary
