// Finding the game: Steam's library lists (real files of all three forms Steam has written),
// the places Steam and the installers outside Steam use, and, on Windows, Steam's folder from
// the registry.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/FileIO.h"
#include "game/logic/GameDirectories.h"
#include "game/logic/Vdf.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

using namespace brindle;
using namespace brindle::game;
using brindle::test::TempDir;
using Paths = std::vector<std::string>;

namespace {

std::string realFile(const std::string& name) {
  const core::ReadResult r =
      core::readFile(std::string(BRINDLE_SOURCE_DIR) + "/tests/realworld/vdf/" + name);
  EXPECT_TRUE(r.ok) << r.error;
  return r.data;
}

// The path a found directory is reported with.
std::string canonical(const std::string& path) {
  std::filesystem::path p = std::filesystem::canonical(core::pathFromUtf8(path));
  p.make_preferred();
  return core::utf8Of(p);
}

#ifndef _WIN32
Paths pathsOf(const std::vector<FoundGameDirectory>& found) {
  Paths out;
  for (const auto& f : found) out.push_back(f.path);
  return out;
}
#endif

// A Windows path as libraryfolders.vdf writes it: backslashes doubled.
std::string vdfEscaped(const std::string& path) {
  std::string out;
  for (const char c : path) {
    out += c;
    if (c == '\\') out += '\\';
  }
  return out;
}

}  // namespace

TEST(SteamLibraryList, RealFilesOfEveryFormGiveTheirLibraries) {
  const struct {
    const char* file;
    Paths libraries;
  } cases[] = {
      {"cstrike-steamcmd-old-empty.vdf", {}},
      {"steam-dummy-old-one-library.vdf", {"/Users/tmshvr/Desktop/ExternalSteamLibraryFolder"}},
      {"wine-steam-2021-path-blocks.vdf", {"Z:\\home\\twig\\.steam\\steam"}},
      {"windows-new-three-libraries.vdf",
       {"C:\\Games\\Steam", "D:\\SteamLibrary", "F:\\SteamLibrary"}},
      {"cs16-server-config-new.vdf", {"D:\\cs16server"}},
  };
  for (const auto& c : cases) {
    const VdfDocument d = parseVdf(realFile(c.file));
    ASSERT_TRUE(d.ok) << c.file << ": " << d.error;
    EXPECT_EQ(steamLibraryPaths(d), c.libraries) << c.file;
  }
  // The apps of a library are read as a block of their own.
  const VdfDocument d = parseVdf(realFile("cs16-server-config-new.vdf"));
  const VdfNode* apps = d.entries.at(0).children.at(0).find("APPS");
  ASSERT_NE(apps, nullptr);
  EXPECT_EQ(apps->children.size(), 3u);
  EXPECT_EQ(apps->find("70")->value, "0");
}

TEST(SteamLibraryList, WrittenByHandOrDamaged) {
  // A byte-order mark, comments, bare words, conditions, escapes and CR LF line ends.
  const VdfDocument d = parseVdf(
      "\xEF\xBB\xBF// list\r\nlibraryfolders { \"1\" \"E:\\\\Games\\\\\\\"x\\\"\" [$WIN32]\r\n"
      "\"2\" [$LINUX] { path /mnt/a\\b } }\r\n");
  ASSERT_TRUE(d.ok) << d.error;
  EXPECT_EQ(steamLibraryPaths(d), (Paths{"E:\\Games\\\"x\"", "/mnt/a\\b"}));

  for (const char* damaged :
       {"\"libraryfolders\" { \"1\" \"/x", "\"libraryfolders\" { \"1\" \"/x\"",
        "\"libraryfolders\" } ", "\"libraryfolders\" { \"1\" }"}) {
    const VdfDocument bad = parseVdf(damaged);
    EXPECT_FALSE(bad.ok) << damaged;
    EXPECT_NE(bad.error.find("строка 1"), std::string::npos) << bad.error;
  }
  // Nesting is bounded, so a hostile file cannot exhaust the stack.
  std::string deep = "a";
  for (int i = 0; i < 100000; ++i) deep += " { b";
  EXPECT_FALSE(parseVdf(deep).ok);
}

#ifndef _WIN32
TEST(GameDirectorySearch, SteamLibrariesFlatpakSnapAndWineOnLinux) {
  TempDir home;
  const std::string h = home.path();
  // Steam's own folder, reached also through the ~/.steam/steam link: listed once.
  home.write(".local/share/Steam/steamapps/common/Half-Life/cstrike/liblist.gam", "game \"CS\"");
  std::filesystem::create_directories(h + "/.steam");
  std::filesystem::create_directory_symlink(h + "/.local/share/Steam", h + "/.steam/steam");
  // Its library list names two more libraries; only one holds the game (letter case as a
  // Windows copy of the game may have it), the other a folder without the game's files.
  home.write(".local/share/Steam/steamapps/libraryfolders.vdf",
             "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + h +
                 "/.local/share/Steam\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + h +
                 "/disk2/SteamLibrary\"\n\t}\n\t\"2\"\n\t{\n\t\t\"path\"\t\t\"" + h +
                 "/disk3\"\n\t}\n}\n");
  home.write("disk2/SteamLibrary/SteamApps/common/half-life/cstrike/config.cfg", "");
  home.write("disk3/steamapps/common/Half-Life/cstrike/readme.txt", "");
  // Flatpak's Steam with an old-form list naming a library of its own.
  home.write(".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/libraryfolders.vdf",
             "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"0\"\n\t\"1\"\t\t\"" + h +
                 "/flat-lib\"\n}\n");
  home.write("flat-lib/steamapps/common/Half-Life/cstrike/liblist.gam", "");
  home.write("snap/steam/common/.local/share/Steam/steamapps/common/Half-Life/cstrike/config.cfg",
             "");
  // Wine: an installation outside Steam, and Steam under Wine whose list names a library on
  // the z: drive.
  home.write(".wine/drive_c/Program Files (x86)/Counter-Strike 1.6/cstrike/liblist.gam", "");
  home.write(".wine/drive_c/Program Files (x86)/Steam/steamapps/libraryfolders.vdf",
             "\"libraryfolders\" { \"1\" { \"path\" \"Z:" + vdfEscaped([&] {
               std::string p = h + "/winelib";
               for (char& c : p)
                 if (c == '/') c = '\\';
               return p;
             }()) +
                 "\" } }");
  home.write("winelib/steamapps/common/Half-Life/cstrike/liblist.gam", "");

  SearchEnvironment env;
  env.home = h;
  const auto found = findGameDirectories(env);
  EXPECT_EQ(
      pathsOf(found),
      (Paths{canonical(h + "/.local/share/Steam/steamapps/common/Half-Life/cstrike"),
             canonical(h + "/disk2/SteamLibrary/SteamApps/common/half-life/cstrike"),
             canonical(h + "/flat-lib/steamapps/common/Half-Life/cstrike"),
             canonical(h + "/snap/steam/common/.local/share/Steam/steamapps/common/"
                           "Half-Life/cstrike"),
             canonical(h + "/winelib/steamapps/common/Half-Life/cstrike"),
             canonical(h + "/.wine/drive_c/Program Files (x86)/Counter-Strike 1.6/cstrike")}));
  ASSERT_EQ(found.size(), 6u);
  EXPECT_EQ(found[0].origin, "Steam");
  EXPECT_EQ(found[2].origin, "Steam (Flatpak)");
  EXPECT_EQ(found[3].origin, "Steam (Snap)");
  EXPECT_EQ(found[4].origin, "Steam в Wine (~/.wine)");
  EXPECT_EQ(found[5].origin, "Wine (~/.wine)");

  // brindle-cli gamedir prints the same, one directory a line.
  const char* oldHome = std::getenv("HOME");
  const std::string savedHome = oldHome ? oldHome : "";
  ::setenv("HOME", h.c_str(), 1);
  ::unsetenv("WINEPREFIX");
  ::unsetenv("XDG_DATA_HOME");
  const auto r = brindle::test::runProgram(BRINDLE_CLI, {"gamedir"});
  ::setenv("HOME", savedHome.c_str(), 1);
  EXPECT_EQ(r.status, 0) << r.err;
  std::string expected;
  for (const auto& f : found) expected += f.path + "\t" + f.origin + "\n";
  EXPECT_EQ(r.out, expected);

  // Nothing found: exit 1 with a message.
  TempDir empty;
  ::setenv("HOME", empty.path().c_str(), 1);
  const auto none = brindle::test::runProgram(BRINDLE_CLI, {"gamedir"});
  ::setenv("HOME", savedHome.c_str(), 1);
  EXPECT_EQ(none.status, 1);
  EXPECT_TRUE(none.out.empty());
  EXPECT_NE(none.err.find("не найден"), std::string::npos) << none.err;
}
#endif

#ifdef _WIN32
TEST(GameDirectorySearch, SteamFromTheRegistryOnWindows) {
  TempDir dir;
  dir.write("Steam/steamapps/common/Half-Life/cstrike/liblist.gam", "");
  dir.write("Lib2/steamapps/common/Half-Life/cstrike/config.cfg", "");
  std::string lib2 = dir.file("Lib2");
  for (char& c : lib2)
    if (c == '/') c = '\\';
  dir.write("Steam/steamapps/libraryfolders.vdf",
            "\"libraryfolders\"\n{\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + vdfEscaped(lib2) +
                "\"\n\t}\n}\n");
  // Steam writes its folder with forward slashes.
  const std::wstring steam = core::pathFromUtf8(dir.file("Steam")).generic_wstring();

  // The test's own value in the registry of this (Wine) user, the old one put back after.
  const wchar_t* key = L"Software\\Valve\\Steam";
  std::wstring old(1024, L'\0');
  DWORD oldBytes = static_cast<DWORD>(old.size() * sizeof(wchar_t));
  const bool hadOld = ::RegGetValueW(HKEY_CURRENT_USER, key, L"SteamPath", RRF_RT_REG_SZ, nullptr,
                                     old.data(), &oldBytes) == ERROR_SUCCESS;
  ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, key, L"SteamPath", REG_SZ, steam.c_str(),
                              static_cast<DWORD>((steam.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);

  const SearchEnvironment env = environmentOfThisSystem();
  const auto found = findGameDirectories(env);
  const auto r = brindle::test::runProgram(BRINDLE_CLI, {"gamedir"});

  if (hadOld)
    ::RegSetKeyValueW(HKEY_CURRENT_USER, key, L"SteamPath", REG_SZ, old.c_str(), oldBytes);
  else
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"SteamPath");

  std::filesystem::path written = core::pathFromUtf8(dir.file("Steam"));
  written.make_preferred();
  EXPECT_EQ(env.registrySteamPath, core::utf8Of(written));
  ASSERT_GE(found.size(), 2u);
  EXPECT_EQ(found[0].path, canonical(dir.file("Steam/steamapps/common/Half-Life/cstrike")));
  EXPECT_EQ(found[0].origin, "Steam");
  EXPECT_EQ(found[1].path, canonical(dir.file("Lib2/steamapps/common/Half-Life/cstrike")));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find(found[1].path + "\tSteam\n"), std::string::npos) << r.out;
}
#endif
