// Telling whether the game runs the chosen game directory: from a made-up /proc, and from a
// real process that looks like the game.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "core/ProcessScan.h"
#include "game/logic/GameProcesses.h"
#include "support/TempDir.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif
#ifdef __linux__
#include <signal.h>
#include <sys/wait.h>
#endif

using namespace brindle::core;
using namespace brindle::game;
using brindle::test::TempDir;
namespace fs = std::filesystem;

#ifdef __linux__

namespace {

std::vector<long> pidsOf(const std::vector<ProcessInfo>& processes) {
  std::vector<long> out;
  for (const ProcessInfo& p : processes) out.push_back(p.pid);
  std::sort(out.begin(), out.end());
  return out;
}

// One process folder of a made-up /proc.
void fakeProcess(const TempDir& dir, int pid, const std::string& exe, const std::string& cwd,
                 std::string_view cmdline, std::string_view environ = {}) {
  const std::string at = "proc/" + std::to_string(pid) + "/";
  dir.write(at + "cmdline", cmdline);
  dir.write(at + "environ", environ);
  fs::create_symlink(exe, dir.file(at + "exe"));
  fs::create_symlink(cwd, dir.file(at + "cwd"));
}

}  // namespace

TEST(GameRunning, FindsNativeWineAndProtonGamesOfTheGameDirectoryOnly) {
  using namespace std::string_literals;
  TempDir dir;
  const std::string hl = dir.path() + "/steam/Half-Life";
  fs::create_directories(hl + "/cstrike");
  fs::create_directories(dir.file("pfx/drive_c/Games/Half-Life/cstrike"));
  fs::create_directories(dir.file("pfx/dosdevices"));
  fs::create_symlink("../drive_c", dir.file("pfx/dosdevices/c:"));
  fs::create_directories(dir.file("elsewhere"));
  const std::string elsewhere = dir.file("elsewhere");
  dir.write("proc/self", "");  // not a process folder

  fakeProcess(dir, 10, hl + "/hl_linux", hl, "./hl_linux\0-steam\0-game\0cstrike\0"s);
  // Wine shows hl.exe as its command line; drive C: is a link in the prefix.
  fakeProcess(dir, 11, "/usr/lib/wine/wine64-preloader", elsewhere,
              "C:\\Games\\Half-Life\\hl.exe\0-game\0CSTRIKE\0"s,
              "HOME=/nowhere\0WINEPREFIX="s + dir.file("pfx") + "\0"s);
  // Proton: drive Z: is the root.
  std::string zPath = "Z:" + hl + "/hl.exe";
  std::replace(zPath.begin(), zPath.end(), '/', '\\');
  fakeProcess(dir, 12, "/opt/proton/files/bin/wine64-preloader", elsewhere,
              zPath + "\0-game\0cstrike\0"s);
  // Not the game, or not its mod, or not this directory.
  fakeProcess(dir, 13, "/usr/bin/grep", hl, "grep\0hl.exe\0"s);
  fakeProcess(dir, 14, hl + "/hl_linux", hl, "./hl_linux\0"s);  // runs "valve"
  fakeProcess(dir, 15, elsewhere + "/hl_linux", elsewhere, "./hl_linux\0-game\0cstrike\0"s);

  const ProcFsSource proc(dir.file("proc"));
  const auto all = proc.processes();
  EXPECT_EQ(pidsOf(all), (std::vector<long>{10, 11, 12, 13, 14, 15}));
  EXPECT_EQ(pidsOf(gameProcessesFor(all, hl + "/cstrike/")), (std::vector<long>{10, 12}));
  EXPECT_EQ(pidsOf(gameProcessesFor(all, hl + "/valve")), (std::vector<long>{14}));
  EXPECT_EQ(pidsOf(gameProcessesFor(all, dir.file("pfx/drive_c/Games/Half-Life/cstrike"))),
            (std::vector<long>{11}));
  EXPECT_TRUE(gameProcessesFor(all, dir.file("nothing/cstrike")).empty());

  const ProcessSourceOverride fake(proc);
  EXPECT_TRUE(gameRunsIn(hl + "/cstrike"));
  EXPECT_FALSE(gameRunsIn(""));
  EXPECT_TRUE(isGameConfig(hl + "/cstrike/Config.CFG", hl + "/cstrike/"));
  EXPECT_FALSE(isGameConfig(hl + "/cstrike/autoexec.cfg", hl + "/cstrike"));
  EXPECT_FALSE(isGameConfig(hl + "/config.cfg", hl + "/cstrike"));
}

TEST(GameRunning, SeesARealProcessNamedLikeTheGame) {
  TempDir dir;
  const std::string hl = dir.path() + "/Half-Life";
  fs::create_directories(hl + "/cstrike");
  fs::copy_file(BRINDLE_FAKE_GAME, hl + "/hl_linux");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (chdir(hl.c_str()) == 0)
      execl("./hl_linux", "./hl_linux", "-game", "cstrike", static_cast<char*>(nullptr));
    _exit(127);
  }
  // The child shows as the game once it has started the program.
  bool seen = false;
  for (int i = 0; i < 500 && !seen; ++i) {
    seen = gameRunsIn(hl + "/cstrike");
    if (!seen) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  const bool otherMod = gameRunsIn(hl + "/valve");
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_TRUE(seen);
  EXPECT_FALSE(otherMod);
  EXPECT_FALSE(gameRunsIn(hl + "/cstrike"));
}

#endif

TEST(GameRunning, TheSystemListShowsThisProgram) {
#ifdef _WIN32
  const long self = static_cast<long>(GetCurrentProcessId());
#else
  const long self = static_cast<long>(getpid());
#endif
  const auto all = systemProcesses().processes();
  const auto me =
      std::find_if(all.begin(), all.end(), [self](const ProcessInfo& p) { return p.pid == self; });
  ASSERT_NE(me, all.end());
  EXPECT_NE(me->exe.find("logic_tests"), std::string::npos) << me->exe;
  EXPECT_FALSE(gameRunsIn(fs::temp_directory_path().string() + "/no-game/cstrike"));
}
