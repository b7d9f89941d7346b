#pragma once
// The explanation lookup: the text the explanation window shows for a dictionary entry or for
// a word selected in the editor. Explanation files are INI files (section = the entry, key
// "q" = the one-line explanation), read afresh on every lookup.
#include <string>
#include <string_view>
#include <vector>

namespace brindle::dictionary {

// What the lookup gives when no explanation file knows the word.
inline constexpr std::string_view kNoExplanation = " ????";

// The key read from the explanation files.
inline constexpr std::string_view kExplanationKey = "q";

// Looks up `word` (CP1251) and returns one blank followed by its explanation, or " ????".
// With `libraryTabActive` the value library's own file dlls\dlz\<library>.pro is asked first,
// then dlls\ans2.pro; in every case dlls\ans1.pro is asked last. An explanation that reads
// "????" counts as missing. Paths are matched without regard to letter case.
// An explanation file that is there but cannot be read (too large, access denied ...) counts as
// knowing nothing; with `problems`, the reason (a Russian message naming the file) is added to
// it, so a window can tell the user why the explanation is missing.
std::string lookUpExplanation(const std::string& programDir, std::string_view library,
                              std::string_view word, std::string_view key, bool libraryTabActive,
                              std::vector<std::string>* problems = nullptr);

}  // namespace brindle::dictionary
