#include "game/logic/GameDirectories.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "core/DataPaths.h"
#include "core/FileIO.h"
#include "core/ProcessScan.h"
#include "core/Text.h"
#include "game/logic/Vdf.h"
#include "game/logic/WinePaths.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace brindle::game {

namespace fs = std::filesystem;

namespace {

// libraryfolders.vdf lists a handful of libraries; a larger file is no such list.
constexpr std::uintmax_t kMaxLibraryListBytes = 1024u * 1024u;

// Where the game lies in a Steam library: Half-Life (app 70) installs into
// steamapps/common/Half-Life, and Counter-Strike (app 10) into its cstrike folder.
constexpr std::string_view kInSteamLibrary = "steamapps/common/Half-Life/cstrike";

// The folders that installers of the game outside Steam use, below a program folder.
constexpr std::string_view kInProgramFolder[] = {
    "Valve/cstrike",          "Valve/Half-Life/cstrike", "Counter-Strike 1.6/cstrike",
    "Counter-Strike/cstrike", "Half-Life/cstrike",
};
// And below the root of the system drive.
constexpr std::string_view kInDriveRoot[] = {"Sierra/Half-Life/cstrike",
                                             "Games/Counter-Strike 1.6/cstrike"};

struct SteamRoot {
  std::string path;
  std::string origin;
  std::string winePrefix;  // the prefix of a Steam that runs under Wine
};

struct Place {
  std::string base;  // a folder that exists as written
  std::string_view below;
  std::string origin;
};

std::string join(const std::string& dir, std::string_view relative) {
  return core::withSeparator(dir) + std::string(relative);
}

// A path shown to the user with the home folder as "~".
std::string shortened(const std::string& path, const std::string& home) {
  if (!home.empty() && path.compare(0, home.size(), home) == 0 &&
      (path.size() == home.size() || path[home.size()] == '/'))
    return "~" + path.substr(home.size());
  return path;
}

#ifndef _WIN32
std::string environmentVariable(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

#endif

// The libraries of one Steam: its own folder and those its library lists name. Steam keeps the
// list in steamapps/ and, since 2021, a copy in config/.
std::vector<std::string> librariesOf(const SteamRoot& root) {
  std::vector<std::string> libraries{root.path};
  for (std::string_view list : {"steamapps/libraryfolders.vdf", "config/libraryfolders.vdf"}) {
    const std::string file = core::resolveDataPath(core::withSeparator(root.path), list);
    if (!core::fileExists(file)) continue;
    const core::ReadResult r = core::readFile(file, kMaxLibraryListBytes);
    if (!r.ok) continue;
    for (const std::string& written : steamLibraryPaths(parseVdf(r.data)))
      if (const auto path = libraryPathOnThisSystem(written, root.winePrefix))
        libraries.push_back(*path);
  }
  return libraries;
}

std::vector<std::string> winePrefixes(const SearchEnvironment& env) {
  std::vector<std::string> prefixes;
  if (!env.winePrefix.empty()) prefixes.push_back(env.winePrefix);
  if (!env.home.empty()) {
    const std::string standard = join(env.home, ".wine");
    std::error_code ec;
    if (env.winePrefix.empty() ||
        !fs::equivalent(core::pathFromUtf8(env.winePrefix), core::pathFromUtf8(standard), ec))
      prefixes.push_back(standard);
  }
  return prefixes;
}

std::vector<SteamRoot> steamRoots(const SearchEnvironment& env) {
  std::vector<SteamRoot> roots;
  if (!env.registrySteamPath.empty()) roots.push_back({env.registrySteamPath, "Steam", {}});
  for (const std::string& programs : env.programFolders)
    roots.push_back({join(programs, "Steam"), "Steam", {}});
  if (!env.home.empty()) {
    const std::string& h = env.home;
    const std::string dataHome =
        env.xdgDataHome.empty() ? join(h, ".local/share") : env.xdgDataHome;
    for (std::string_view r : {".steam/steam", ".steam/root", ".steam/debian-installation"})
      roots.push_back({join(h, r), "Steam", {}});
    roots.push_back({join(dataHome, "Steam"), "Steam", {}});
    roots.push_back({join(h, ".local/share/Steam"), "Steam", {}});
    for (std::string_view r : {".var/app/com.valvesoftware.Steam/.local/share/Steam",
                               ".var/app/com.valvesoftware.Steam/.steam/steam"})
      roots.push_back({join(h, r), "Steam (Flatpak)", {}});
    for (std::string_view r :
         {"snap/steam/common/.local/share/Steam", "snap/steam/common/.steam/steam"})
      roots.push_back({join(h, r), "Steam (Snap)", {}});
  }
  for (const std::string& prefix : winePrefixes(env)) {
    const std::string origin = "Steam в Wine (" + shortened(prefix, env.home) + ")";
    for (std::string_view programs : {"drive_c/Program Files (x86)", "drive_c/Program Files"})
      roots.push_back({join(join(prefix, programs), "Steam"), origin, prefix});
  }
  return roots;
}

std::vector<Place> placesOutsideSteam(const SearchEnvironment& env) {
  std::vector<Place> places;
  const auto below = [&places](const std::string& base, const std::string& origin) {
    for (std::string_view sub : kInProgramFolder) places.push_back({base, sub, origin});
  };
  for (const std::string& programs : env.programFolders) below(programs, programs);
  if (!env.programFolders.empty()) {
    const fs::path drive = core::pathFromUtf8(env.programFolders.front()).root_path();
    if (!drive.empty())
      for (std::string_view sub : kInDriveRoot)
        places.push_back({core::utf8Of(drive), sub, core::utf8Of(drive)});
  }
  for (const std::string& prefix : winePrefixes(env)) {
    const std::string origin = "Wine (" + shortened(prefix, env.home) + ")";
    below(join(prefix, "drive_c/Program Files (x86)"), origin);
    below(join(prefix, "drive_c/Program Files"), origin);
    for (std::string_view sub : kInDriveRoot)
      places.push_back({join(prefix, "drive_c"), sub, origin});
  }
  return places;
}

class Collector {
 public:
  void consider(const std::string& dir, const std::string& origin) {
    if (!looksLikeGameDirectory(dir)) return;
    std::error_code ec;
    fs::path p = fs::canonical(core::pathFromUtf8(dir), ec);
    if (ec) return;
    p.make_preferred();
    std::string path = core::utf8Of(p);
    for (const FoundGameDirectory& f : found_)
      if (f.path == path) return;
    found_.push_back({std::move(path), origin});
  }
  std::vector<FoundGameDirectory> take() { return std::move(found_); }

 private:
  std::vector<FoundGameDirectory> found_;
};

}  // namespace

bool looksLikeGameDirectory(const std::string& dir) {
  if (!core::directoryExists(dir)) return false;
  const std::string base = core::withSeparator(dir);
  return core::fileExists(core::resolveDataPath(base, "liblist.gam")) ||
         core::fileExists(core::resolveDataPath(base, "config.cfg"));
}

std::optional<std::string> libraryPathOnThisSystem(const std::string& written,
                                                   const std::string& winePrefix) {
  if (written.empty()) return std::nullopt;
#ifdef _WIN32
  (void)winePrefix;
  return written;
#else
  if (!core::isDrivePath(written)) return written;
  return pathOfDrivePath(written, winePrefix);
#endif
}

std::optional<std::string> steamPathFromRegistry() {
#ifdef _WIN32
  DWORD bytes = 0;
  const wchar_t* key = L"Software\\Valve\\Steam";
  if (::RegGetValueW(HKEY_CURRENT_USER, key, L"SteamPath", RRF_RT_REG_SZ, nullptr, nullptr,
                     &bytes) != ERROR_SUCCESS ||
      bytes < sizeof(wchar_t))
    return std::nullopt;
  std::wstring value(bytes / sizeof(wchar_t), L'\0');
  if (::RegGetValueW(HKEY_CURRENT_USER, key, L"SteamPath", RRF_RT_REG_SZ, nullptr, value.data(),
                     &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  value.resize(bytes / sizeof(wchar_t));
  while (!value.empty() && value.back() == L'\0') value.pop_back();
  if (value.empty()) return std::nullopt;
  fs::path p(value);
  p.make_preferred();
  return core::utf8Of(p);
#else
  return std::nullopt;
#endif
}

SearchEnvironment environmentOfThisSystem() {
  SearchEnvironment env;
#ifdef _WIN32
  env.registrySteamPath = steamPathFromRegistry().value_or(std::string());
  for (const wchar_t* name : {L"ProgramFiles(x86)", L"ProgramFiles"}) {
    const wchar_t* v = ::_wgetenv(name);
    if (v == nullptr || *v == L'\0') continue;
    const std::string folder = core::utf8Of(fs::path(v));
    bool known = false;
    for (const std::string& f : env.programFolders) known = known || f == folder;
    if (!known) env.programFolders.push_back(folder);
  }
#else
  env.home = environmentVariable("HOME");
  env.xdgDataHome = environmentVariable("XDG_DATA_HOME");
  env.winePrefix = environmentVariable("WINEPREFIX");
#endif
  return env;
}

std::vector<FoundGameDirectory> findGameDirectories(const SearchEnvironment& environment) {
  Collector collector;
  for (const SteamRoot& root : steamRoots(environment)) {
    if (!core::directoryExists(root.path)) continue;
    for (const std::string& library : librariesOf(root))
      collector.consider(core::resolveDataPath(core::withSeparator(library), kInSteamLibrary),
                         root.origin);
  }
  for (const Place& place : placesOutsideSteam(environment))
    if (core::directoryExists(place.base))
      collector.consider(core::resolveDataPath(core::withSeparator(place.base), place.below),
                         place.origin);
  return collector.take();
}

}  // namespace brindle::game
