#pragma once
// Where the game may be installed: the Steam libraries of this user (every library that
// libraryfolders.vdf lists), Steam inside a Wine prefix, and the folders that installers of
// the game outside Steam use. A directory is offered only when it looks like the game's mod
// directory: it holds liblist.gam or config.cfg.
//
// Paths are UTF-8; the origin texts are Russian (UTF-8).
#include <optional>
#include <string>
#include <vector>

namespace brindle::game {

// What the search looks at. environmentOfThisSystem() fills it from the running system; tests
// fill it with folders of their own.
struct SearchEnvironment {
  std::string home;         // POSIX: $HOME
  std::string xdgDataHome;  // POSIX: $XDG_DATA_HOME, empty for ~/.local/share
  std::string winePrefix;   // POSIX: $WINEPREFIX, empty for ~/.wine
  // Windows: Steam's folder as the registry names it (HKCU\Software\Valve\Steam, SteamPath).
  std::string registrySteamPath;
  // Windows: the program folders (%ProgramFiles%, %ProgramFiles(x86)%).
  std::vector<std::string> programFolders;
};

SearchEnvironment environmentOfThisSystem();

// Windows: the value SteamPath of HKEY_CURRENT_USER\Software\Valve\Steam, where Steam keeps
// its own folder. Nothing elsewhere, or when the value is absent.
std::optional<std::string> steamPathFromRegistry();

struct FoundGameDirectory {
  std::string path;    // the mod directory, without trailing separator
  std::string origin;  // "Steam", "Steam (Flatpak)", "Wine (~/.wine)", ...
};

// The game directories found, each once (a folder reached through a link counts once), in the
// order of the places: Steam first, then the layouts outside Steam.
std::vector<FoundGameDirectory> findGameDirectories(const SearchEnvironment& environment);

// Whether `dir` looks like the game's mod directory: it holds liblist.gam or config.cfg
// (letter case ignored).
bool looksLikeGameDirectory(const std::string& dir);

// A library path as libraryfolders.vdf names it, on this system. On Windows it is used as it
// is. Elsewhere a POSIX path is used as it is, and a Windows path ("Z:\home\...") is one that
// Steam running under Wine wrote: its drive is looked up in the prefix's dosdevices folder
// (z: is the root of the file system). Nothing when it cannot be mapped.
std::optional<std::string> libraryPathOnThisSystem(const std::string& written,
                                                   const std::string& winePrefix);

}  // namespace brindle::game
