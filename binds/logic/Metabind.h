#pragma once
// MetaBind files (.mtb): a piece of config script whose keys are left open as numbered
// placeholders "<<1>>", "<<2>>" ..., followed by a trailer in INI form:
//
//   bind <<1>> +jump
//
//   [MetaBind]
//   name=Прыжок
//   but=1
//
// `name` is what the MetaBind window lists, `but` the number of keys. Texts are CP1251 bytes,
// paths UTF-8.
#include <string>
#include <string_view>
#include <vector>

namespace brindle::binds {

// A MetaBind has at most this many keys.
inline constexpr int kMaxMetabindSlots = 255;

// The name read from the trailer with the default "error"; an unreadable file also reads as
// "error". Such files are not listed.
std::string metabindName(std::string_view fileText);
bool isListedName(std::string_view name);

// The script without its trailer. The headers "\r\n[Metabind]", "\r\n[MetaBind]",
// "\r\n[metabind]" and "\r\n[METABIND]" are searched in that order, with case; at the first
// one found everything from its line break on is cut. Any other spelling, or a header on the
// first line, cuts nothing.
std::string cutTrailer(std::string_view fileText);

// The highest n from 1 to kMaxMetabindSlots for which "<<n>>" occurs in `script`, or 0.
int highestPlaceholder(std::string_view script);

// The number of keys: `but` of the trailer when it is a whole number from 1 to 255; otherwise
// (missing, not a number, 0, negative or too big) the highest placeholder of `script`, so a
// damaged trailer never produces slots that nothing in the script uses.
int metabindSlotCount(std::string_view fileText, std::string_view script);

// "<<n>>" for n = 1 .. keys.size() replaced by keys[n - 1], in that order, each with the
// replace-all rule of the find-and-replace tools (search from the top, replace the first
// match, repeat). "<<1>>" never touches "<<10>>".
std::string placeholder(int n);
// The script is taken by value: a caller that no longer needs it moves it in.
std::string fillPlaceholders(std::string script, const std::vector<std::string>& keys);

// One MetaBind of the library, as the MetaBind window lists it.
struct MetabindEntry {
  std::string name;  // CP1251
  std::string path;  // full path, UTF-8
};

// Every listed MetaBind of programDir/dlls/metabinds/*.mtb (folder and extension matched
// without regard to letter case), in the order of the folder listing. No limit on the count.
std::vector<MetabindEntry> listMetabinds(const std::string& programDir);

// A MetaBind file read for use: the script (line breaks made CR LF, trailer cut) and the
// number of keys.
struct Metabind {
  bool ok = false;
  std::string error;  // UTF-8, when !ok
  std::string script;
  int slots = 0;
};
Metabind loadMetabind(const std::string& path);

}  // namespace brindle::binds
