#include "core/DataLayout.h"

#include "core/DataPaths.h"
#include "core/Settings.h"

namespace brindle::core {
namespace {

// Relative paths below the program directory, with '\' separators.
constexpr std::string_view kCommandLists = "DLLS";
constexpr std::string_view kVariableLists = "DLLS\\CVARDLL";
constexpr std::string_view kMainExplanations = "dlls\\ans1.pro";
constexpr std::string_view kSecondExplanations = "dlls\\ans2.pro";
constexpr std::string_view kLibraries = "dlls\\dlz";
constexpr std::string_view kMetaBinds = "dlls\\Metabinds";
constexpr std::string_view kPictures = "dlls\\cvardll\\guns";
constexpr std::string_view kHelp = "help";
constexpr std::string_view kWords = "words";
constexpr std::string_view kWordFiles[] = {"keys.tsv",    "engine.tsv", "client.tsv",
                                           "game.tsv",    "rehlds.tsv", "regamedll.tsv",
                                           "metamod.tsv", "amxmodx.tsv"};

}  // namespace

bool isPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  return name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

DataLayout::DataLayout(std::string programDir)
    : programDir_(withSeparator(std::move(programDir))) {}

std::string DataLayout::resolve(std::string_view relative) const {
  return resolveDataPath(programDir_, relative);
}

std::optional<std::string> DataLayout::inFolder(std::string_view folder,
                                                std::string_view fileName) const {
  if (!isPlainFileName(fileName)) return std::nullopt;
  std::string relative(folder);
  relative += '\\';
  relative += fileName;
  return resolve(relative);
}

std::string DataLayout::settingsFile() const { return resolve(kSettingsFileName); }
std::string DataLayout::commandListFolder() const { return resolve(kCommandLists); }
std::string DataLayout::variableListFolder() const { return resolve(kVariableLists); }
std::string DataLayout::mainExplanations() const { return resolve(kMainExplanations); }
std::string DataLayout::secondExplanations() const { return resolve(kSecondExplanations); }
std::string DataLayout::libraryFolder() const { return resolve(kLibraries); }
std::string DataLayout::metaBindFolder() const { return resolve(kMetaBinds); }

std::optional<std::string> DataLayout::libraryFile(std::string_view fileName) const {
  return inFolder(kLibraries, fileName);
}

std::optional<std::string> DataLayout::metaBindFile(std::string_view fileName) const {
  return inFolder(kMetaBinds, fileName);
}

std::optional<std::string> DataLayout::listFile(bool variables, std::string_view fileName) const {
  return inFolder(variables ? kVariableLists : kCommandLists, fileName);
}

std::optional<std::string> DataLayout::picture(std::string_view entry) const {
  return inFolder(kPictures, std::string(entry) + ".jpg");
}

std::optional<std::string> DataLayout::helpPage(std::string_view page) const {
  return inFolder(kHelp, page);
}

std::string DataLayout::wordFolder() const { return resolve(kWords); }

std::span<const std::string_view> DataLayout::wordFiles() { return kWordFiles; }

std::string DataLayout::relativeName(const std::string& path) const {
  std::string out = path.compare(0, programDir_.size(), programDir_) == 0
                        ? path.substr(programDir_.size())
                        : path;
  for (char& c : out)
    if (c == '\\') c = '/';
  return out;
}

}  // namespace brindle::core
