#pragma once
// Data files below the program directory are named in mixed letter case ("DLLS\CVARDLL\STCVR.DLL"
// and "dlls\cvardll\Stcvr.dll" are one file). These helpers find them on file systems that
// distinguish case.
#include <string>
#include <string_view>
#include <vector>

namespace brindle::core {

// The program directory joined with a relative path written with '\' or '/' separators. Each
// component is matched against the directory entries without regard to letter case; when
// several entries match, an exact match wins, else the first by name. Components that match
// nothing are kept as written, so the result names where the file would be.
std::string resolveDataPath(const std::string& programDir, std::string_view relative);

// Names of the regular files in `dir` whose names end with `extension` (".dlz"), compared
// without regard to letter case, sorted by name. A missing directory gives an empty list.
std::vector<std::string> listFiles(const std::string& dir, std::string_view extension);

// `dir` with a trailing '/'.
std::string withSeparator(std::string dir);

// Creates the folder `dir` and the folders above it that are missing; true when it exists
// afterwards.
bool makeFolders(const std::string& dir);

// The folder part of `path` (everything before its last separator), or "" when it has none.
std::string folderOf(const std::string& path);

}  // namespace brindle::core
