#pragma once
// Value libraries (dlls\dlz\*.dlz) and MetaBind files (dlls\metabinds\*.mtb) of the program
// directory: the library-list refresh and the library manager's add and delete rules.
#include <string>
#include <string_view>
#include <vector>

namespace brindle::dictionary {

// Longest source or target path, in characters, that the library manager copies.
inline constexpr std::size_t kMaxCopyPath = 200;

// The folders, resolved below the program directory without regard to letter case.

// The name of a library file: the file name less its last four characters (".dlz"); empty
// when the name has four characters or fewer.
std::string libraryNameOf(std::string_view fileName);

// The library-list refresh: the names of the .dlz files in the library folder, in the folder's
// order, that `listed` (the DLZ list as it stands) does not hold yet. Names compare exactly,
// letter case counting, and each name is given once.
std::vector<std::string> librariesToAdd(const std::string& programDir,
                                        const std::vector<std::string>& listed);

// The MetaBind file names of the MetaBind folder that `listed` does not hold yet (exact
// comparison).
std::vector<std::string> metaBindsToAdd(const std::string& programDir,
                                        const std::vector<std::string>& listed);

// Whether `list` holds an entry equal to `entry` (exact comparison, letter case counting).
bool listHolds(const std::vector<std::string>& list, std::string_view entry);

// "Добавить" of the library manager. The file-open dialog's filter decides the kind, not the
// file's extension: filter 1 value libraries, filter 2 MetaBind files.
enum class LibraryKind { ValueLibrary, MetaBind };

struct AddPlan {
  bool ok = false;
  std::string error;  // UTF-8, for the user, when !ok
  LibraryKind kind = LibraryKind::ValueLibrary;
  std::string listEntry;    // the library name or the MetaBind file name
  std::string source;       // the chosen file
  std::string target;       // where it is copied (replacing a file of that name)
  bool makeFolder = false;  // the target's folder is the user's own and made when missing
};

// Works out what adding `sourcePath` means. Source or target paths longer than kMaxCopyPath
// characters are refused with a message; nothing is copied then.
AddPlan planAdd(const std::string& programDir, const std::string& sourcePath, int filterIndex);

struct AddResult {
  bool ok = false;
  std::string error;  // UTF-8, for the user, when !ok
};

// Copies the planned file into place, replacing an existing one. A refused plan or a failed
// copy gives the reason; the caller then lists nothing.
AddResult performAdd(const AddPlan& plan);

struct RemoveResult {
  bool removeEntry = true;  // whether the list entry goes
  std::string error;        // UTF-8, for the user, when a file that exists could not be deleted
};

// "Удалить": deletes dlls\dlz\<name>.dlz (the library's .pro stays) or dlls\metabinds\<file>.
// A file that is already gone only takes its entry with it; a file that exists but cannot be
// deleted keeps its entry and gives the reason.
RemoveResult removeValueLibrary(const std::string& programDir, std::string_view name);
RemoveResult removeMetaBind(const std::string& programDir, std::string_view fileName);

}  // namespace brindle::dictionary
