#pragma once
// A reader of Valve's KeyValues text ("VDF"), the format of Steam's libraryfolders.vdf: keys
// and values in double quotes (or bare words), a key followed by a block in braces instead of
// a value, "//" comments to the end of the line, and backslash escapes in quoted text ("\\" for
// one backslash, as in Windows paths, "\"", "\n", "\t"). Conditions in square brackets after a
// value ("[$WIN32]") are skipped. Text is UTF-8, as Steam writes it; a leading byte-order mark
// is ignored.
#include <string>
#include <string_view>
#include <vector>

namespace brindle::game {

struct VdfNode {
  std::string key;
  std::string value;              // the value of a key that has one
  std::vector<VdfNode> children;  // the entries of a key that has a block
  bool block = false;

  // The first entry of the block whose key is `name`, letter case ignored; null when none.
  const VdfNode* find(std::string_view name) const;
};

struct VdfDocument {
  bool ok = false;
  std::vector<VdfNode> entries;  // the top level: usually one key with a block
  std::string error;             // Russian, with the line, when !ok
};

// Reads the whole text. Blocks nest at most 64 deep; deeper text, a block left open, a "}"
// without its "{", and a key without value or block are errors.
VdfDocument parseVdf(std::string_view text);

// The library folders listed in a libraryfolders.vdf, in file order, as Steam wrote them.
// Steam has written three forms: the old one, with numbered keys holding the path itself
// ("1" "D:\\SteamLibrary", beside "TimeNextStatsReport" and "ContentStatsID"); a short-lived
// one with numbered blocks holding a "path" key; and the current one, "libraryfolders" with
// numbered blocks holding "path", "label", "apps" and more. The root key is matched without
// regard to letter case ("LibraryFolders" in the older files).
std::vector<std::string> steamLibraryPaths(const VdfDocument& document);

}  // namespace brindle::game
