#pragma once
// Where the program's data lie below the program directory. Every relative data path is
// written here and nowhere else; names are matched without regard to letter case
// (resolveDataPath), and a name that comes from a user or a file is accepted only as a plain
// file name, so that no path leaves its data folder.
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace brindle::core {

// A file name without any folder: not empty, no '/' or '\', no NUL, not "." or "..".
bool isPlainFileName(std::string_view name);

class DataLayout {
 public:
  // `programDir` ends with a separator or gets one.
  explicit DataLayout(std::string programDir);

  const std::string& programDir() const { return programDir_; }

  std::string settingsFile() const;
  // The folders of the command lists and of the variable lists.
  std::string commandListFolder() const;
  std::string variableListFolder() const;
  // The main explanation file and the second one (value explanations).
  std::string mainExplanations() const;
  std::string secondExplanations() const;
  // The value libraries (.dlz with their .pro) and the MetaBinds (.mtb).
  std::string libraryFolder() const;
  std::string metaBindFolder() const;
  // A file in those folders; nothing when `fileName` is not a plain file name.
  std::optional<std::string> libraryFile(std::string_view fileName) const;
  std::optional<std::string> metaBindFile(std::string_view fileName) const;
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

  std::string programDir_;
};

}  // namespace brindle::core
