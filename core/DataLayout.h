#pragma once
// Where the program's data lie. Every relative data path is written here and nowhere else;
// names are matched without regard to letter case (resolveDataPath), and a name that comes
// from a user or a file is accepted only as a plain file name, so that no path leaves its data
// folder.
//
// Two layouts, told apart by what lies beside the program:
//  - portable: the data folders (dlls/, help/) beside the program; the settings file and every
//    file the user adds are kept there too;
//  - installed: nothing beside the program, the data in <prefix>/share/brindle/ (found from the
//    program's folder <prefix>/bin/); the settings file in the user's configuration folder
//    ($XDG_CONFIG_HOME/brindle/), the libraries and MetaBinds the user adds in the user's data
//    folder ($XDG_DATA_HOME/brindle/, with the same folders below it as the shipped data), read
//    before the shipped ones of the same name.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brindle::core {

// A file name without any folder: not empty, no '/' or '\', no NUL, not "." or "..".
bool isPlainFileName(std::string_view name);

// The folders of one run. All of them end with a separator.
struct DataFolders {
  std::string programDir;   // where the program lies
  std::string dataDir;      // the shipped data
  std::string configDir;    // the settings file
  std::string userDataDir;  // libraries and MetaBinds the user adds
  bool installed = false;
};

// The layout of a program lying in `programDir`, with the user's folders taken from the
// environment (XDG_CONFIG_HOME, XDG_DATA_HOME and HOME; APPDATA and LOCALAPPDATA on Windows).
DataFolders detectDataFolders(const std::string& programDir);

class DataLayout {
 public:
  // `programDir` ends with a separator or gets one; the layout is detected from it.
  explicit DataLayout(std::string programDir);
  explicit DataLayout(DataFolders folders);

  const std::string& programDir() const { return folders_.programDir; }
  const DataFolders& folders() const { return folders_; }
  bool installed() const { return folders_.installed; }

  std::string settingsFile() const;
  // The folders of the command lists and of the variable lists.
  std::string commandListFolder() const;
  std::string variableListFolder() const;
  // The main explanation file and the second one (value explanations).
  std::string mainExplanations() const;
  std::string secondExplanations() const;
  // The shipped folders of the value libraries (.dlz with their .pro) and of the MetaBinds
  // (.mtb), and every folder they are read from: the shipped one, then the user's one.
  std::string libraryFolder() const;
  std::string metaBindFolder() const;
  std::vector<std::string> libraryFolders() const;
  std::vector<std::string> metaBindFolders() const;
  // A file in those folders: the user's one when it is there, else the shipped one; nothing
  // when `fileName` is not a plain file name.
  std::optional<std::string> libraryFile(std::string_view fileName) const;
  std::optional<std::string> metaBindFile(std::string_view fileName) const;
  // Where a library or MetaBind the user adds is written (the user's folder).
  std::optional<std::string> newLibraryFile(std::string_view fileName) const;
  std::optional<std::string> newMetaBindFile(std::string_view fileName) const;
  std::optional<std::string> listFile(bool variables, std::string_view fileName) const;
  // The picture of a dictionary entry (a weapon or an item), "<entry>.jpg".
  std::optional<std::string> picture(std::string_view entry) const;
  // A help page ("help.html").
  std::optional<std::string> helpPage(std::string_view page) const;
  // The word base: the folder of its files, and the files it always has (the engine's key
  // table first; files of further plugins may follow in the folder).
  std::string wordFolder() const;
  static std::span<const std::string_view> wordFiles();
  // A data path as messages name it: relative to the program directory, '/'-separated.
  std::string relativeName(const std::string& path) const;

 private:
  std::string resolve(std::string_view relative) const;
  std::optional<std::string> inFolder(std::string_view folder, std::string_view fileName) const;
  std::optional<std::string> userFirst(std::string_view folder, std::string_view fileName) const;

  DataFolders folders_;
};

}  // namespace brindle::core
