#pragma once
// The dictionary's list files: the command and variable lists that the dictionary window
// offers, and the reading of any list file (those lists and the value libraries) into entries.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brindle::dictionary {

// The two tabs of the dictionary window that hold fixed lists.
enum class ListTab { Cmd, Cvar };

struct ListTableEntry {
  std::string_view caption;  // the entry shown on the tab ("Standart", "cl_...")
  std::string_view file;     // the list file's name ("Stcmd.dll")
};

// The entries of a tab in the order the tab shows them.
const std::vector<ListTableEntry>& listTable(ListTab tab);

// The folder of a tab's list files below the program directory, '\'-separated: "DLLS\" for
// CMD, "DLLS\CVARDLL\" for CVAR.

// The list file of a tab entry ("Stcmd.dll"), or nothing for an unknown caption.
std::optional<std::string> listFileOf(ListTab tab, std::string_view caption);

// The full path of a tab entry's list file, resolved below the program directory without
// regard to letter case; nothing for an unknown caption.
std::optional<std::string> listPath(const std::string& programDir, ListTab tab,
                                    std::string_view caption);

// The full path of a value library's list file: dlls\dlz\<name>.dlz.
std::string libraryListPath(const std::string& programDir, std::string_view library);

// Every line of a list text is one entry, exactly as written: blanks stay, an empty line is an
// empty entry. CR LF, a lone CR and a lone LF each end a line; a break after the last line
// adds no entry.
std::vector<std::string> listEntries(std::string_view text);

struct ListReadResult {
  bool ok = false;
  std::vector<std::string> entries;
  std::string error;  // the system's text when the file could not be read (UTF-8)
};

// Reads a list file afresh (nothing is cached).
ListReadResult readListFile(const std::string& path);

}  // namespace brindle::dictionary
