#include "core/DataLayout.h"

#include <cstdlib>
#include <filesystem>

#include "core/DataPaths.h"
#include "core/FileIO.h"
#include "core/Settings.h"
#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

// The data folder of the installed layout, relative to the program's folder (set by the build
// from the install directories).
#ifndef BRINDLE_INSTALLED_DATA_DIR
#define BRINDLE_INSTALLED_DATA_DIR "../share/brindle"
#endif

namespace brindle::core {
namespace {

// Relative paths below the data folder, with '\' separators.
constexpr std::string_view kDataFolder = "dlls";
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

// The folder below the user's configuration and data folders.
constexpr std::string_view kUserFolder = "brindle";

// A folder named by the environment, or nothing when unset or relative (a relative XDG path
// is invalid and ignored).
std::optional<std::string> environmentFolder(const char* name) {
#ifdef _WIN32
  std::wstring wide;
  for (const char* c = name; *c != '\0'; ++c) wide += static_cast<wchar_t>(*c);
  const wchar_t* value = _wgetenv(wide.c_str());
  if (value == nullptr || *value == L'\0') return std::nullopt;
  const std::filesystem::path path(value);
  if (!path.is_absolute()) return std::nullopt;
  return withSeparator(utf8Of(path.generic_wstring()));
#else
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] != '/') return std::nullopt;
  return withSeparator(value);
#endif
}

#ifndef _WIN32
std::string homeFolder() {
  if (auto home = environmentFolder("HOME")) return *home;
  const passwd* user = getpwuid(getuid());
  return withSeparator(user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "/");
}
#endif

std::string userFolder(const char* variable, [[maybe_unused]] std::string_view fallback) {
  std::optional<std::string> base = environmentFolder(variable);
#ifdef _WIN32
  if (!base) base = environmentFolder("USERPROFILE");
  if (!base) base = std::string("C:/");
#else
  if (!base) base = withSeparator(homeFolder() + std::string(fallback));
#endif
  return withSeparator(*base + std::string(kUserFolder));
}

}  // namespace

bool isPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  return name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

DataFolders detectDataFolders(const std::string& programDir) {
  DataFolders f;
  f.programDir = withSeparator(programDir);
  f.dataDir = f.configDir = f.userDataDir = f.programDir;
  // Data beside the program make it portable, and so does a folder with no data anywhere (it
  // names its missing files where a portable program looks for them). Only the two checks
  // that need no listing of the program's folder are made: it may be /usr/bin, and a layout is
  // worked out for every look-up.
  if (directoryExists(f.programDir + std::string(kDataFolder))) return f;
  const std::string installed = withSeparator(
      utf8Of(pathFromUtf8(f.programDir + BRINDLE_INSTALLED_DATA_DIR).lexically_normal()));
  if (!directoryExists(installed + std::string(kDataFolder))) return f;
  f.installed = true;
  f.dataDir = installed;
#ifdef _WIN32
  f.configDir = userFolder("APPDATA", {});
  f.userDataDir = f.configDir;
#else
  f.configDir = userFolder("XDG_CONFIG_HOME", ".config");
  f.userDataDir = userFolder("XDG_DATA_HOME", ".local/share");
#endif
  return f;
}

DataLayout::DataLayout(std::string programDir) : folders_(detectDataFolders(programDir)) {}

DataLayout::DataLayout(DataFolders folders) : folders_(std::move(folders)) {
  for (std::string* dir :
       {&folders_.programDir, &folders_.dataDir, &folders_.configDir, &folders_.userDataDir})
    *dir = withSeparator(std::move(*dir));
}

std::string DataLayout::resolve(std::string_view relative) const {
  return resolveDataPath(folders_.dataDir, relative);
}

std::optional<std::string> DataLayout::inFolder(std::string_view folder,
                                                std::string_view fileName) const {
  if (!isPlainFileName(fileName)) return std::nullopt;
  std::string relative(folder);
  relative += '\\';
  relative += fileName;
  return resolve(relative);
}

std::optional<std::string> DataLayout::userFirst(std::string_view folder,
                                                 std::string_view fileName) const {
  if (!isPlainFileName(fileName)) return std::nullopt;
  if (folders_.installed) {
    const std::string own =
        resolveDataPath(folders_.userDataDir, std::string(folder) + '\\' + std::string(fileName));
    if (pathExists(own)) return own;
  }
  return inFolder(folder, fileName);
}

std::string DataLayout::settingsFile() const {
  return resolveDataPath(folders_.configDir, kSettingsFileName);
}
std::string DataLayout::commandListFolder() const { return resolve(kCommandLists); }
std::string DataLayout::variableListFolder() const { return resolve(kVariableLists); }
std::string DataLayout::mainExplanations() const { return resolve(kMainExplanations); }
std::string DataLayout::secondExplanations() const { return resolve(kSecondExplanations); }
std::string DataLayout::libraryFolder() const { return resolve(kLibraries); }
std::string DataLayout::metaBindFolder() const { return resolve(kMetaBinds); }

std::vector<std::string> DataLayout::libraryFolders() const {
  std::vector<std::string> out{libraryFolder()};
  if (folders_.installed) out.push_back(resolveDataPath(folders_.userDataDir, kLibraries));
  return out;
}

std::vector<std::string> DataLayout::metaBindFolders() const {
  std::vector<std::string> out{metaBindFolder()};
  if (folders_.installed) out.push_back(resolveDataPath(folders_.userDataDir, kMetaBinds));
  return out;
}

std::optional<std::string> DataLayout::libraryFile(std::string_view fileName) const {
  return userFirst(kLibraries, fileName);
}

std::optional<std::string> DataLayout::metaBindFile(std::string_view fileName) const {
  return userFirst(kMetaBinds, fileName);
}

std::optional<std::string> DataLayout::newLibraryFile(std::string_view fileName) const {
  if (!isPlainFileName(fileName)) return std::nullopt;
  return resolveDataPath(folders_.userDataDir,
                         std::string(kLibraries) + '\\' + std::string(fileName));
}

std::optional<std::string> DataLayout::newMetaBindFile(std::string_view fileName) const {
  if (!isPlainFileName(fileName)) return std::nullopt;
  return resolveDataPath(folders_.userDataDir,
                         std::string(kMetaBinds) + '\\' + std::string(fileName));
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
  const std::string& base = folders_.dataDir;
  std::string out = path.compare(0, base.size(), base) == 0 ? path.substr(base.size()) : path;
  for (char& c : out)
    if (c == '\\') c = '/';
  return out;
}

}  // namespace brindle::core
