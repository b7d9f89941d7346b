#pragma once
// Finding a running game. The game writes its config.cfg when it quits, so an edit made to that
// file meanwhile is lost; the program warns when a game process runs the chosen game
// directory. A game process is hl_linux, or hl.exe run natively on Windows or under Wine or
// Proton (there the process is Wine's, with the Windows path of hl.exe as its command line).
//
// The list of processes comes from a ProcessSource: /proc on Linux (its root can be a folder a
// test makes), the toolhelp snapshot on Windows; a test may put a fake source in its place.
#include <optional>
#include <string>
#include <vector>

namespace brindle::core {

struct ProcessInfo {
  long pid = 0;
  std::string exe;                // the executable's full path, when known
  std::vector<std::string> args;  // the command line, program first, when known
  std::string cwd;                // the working directory, when known
  // For Wine processes (from the process's environment): where the Windows drives are.
  std::string winePrefix;
};

class ProcessSource {
 public:
  virtual ~ProcessSource() = default;
  // Every process the program may look at; processes of other users may lack details.
  virtual std::vector<ProcessInfo> processes() const = 0;
};

// The processes under a /proc file system: each numeric folder with its links "exe" and "cwd"
// and its files "cmdline" and "environ".
class ProcFsSource : public ProcessSource {
 public:
  explicit ProcFsSource(std::string root = "/proc") : root_(std::move(root)) {}
  std::vector<ProcessInfo> processes() const override;

 private:
  std::string root_;
};

// The system's processes: /proc on Linux, the toolhelp snapshot on Windows (executable paths
// only: Windows does not show other processes' command lines or folders cheaply).
const ProcessSource& systemProcesses();

// The game processes among `processes` that run `gameDir`, the game's mod folder (".../
// Half-Life/cstrike"): their program lies in its parent folder (or that is their working
// folder) and they run that mod ("-game cstrike"; without -game the game runs "valve").
std::vector<ProcessInfo> gameProcessesFor(const std::vector<ProcessInfo>& processes,
                                          const std::string& gameDir);
// The same for the current source (the system's, or a test's).
bool gameRunsIn(const std::string& gameDir);

// Whether `path` is the config.cfg of `gameDir`, the file the game rewrites when it quits
// (the name without regard to letter case, as the game finds it).
bool isGameConfig(const std::string& path, const std::string& gameDir);

// While an object of this class lives, gameRunsIn() asks `source` instead of the system.
class ProcessSourceOverride {
 public:
  explicit ProcessSourceOverride(const ProcessSource& source);
  ~ProcessSourceOverride();
  ProcessSourceOverride(const ProcessSourceOverride&) = delete;
  ProcessSourceOverride& operator=(const ProcessSourceOverride&) = delete;

 private:
  const ProcessSource* previous_;
};

}  // namespace brindle::core
