#pragma once
// The running processes, as far as this user may see them: their programs, command lines,
// working folders, and for programs run by Wine where its drives lie. Which of them is the
// game is for the game's subsystem to tell (game/logic/GameProcesses.h).
//
// The list comes from a ProcessSource: /proc on Linux (its root can be a folder a test makes),
// the toolhelp snapshot on Windows; a test may put a fake source in its place.
#include <string>
#include <string_view>
#include <vector>

namespace brindle::core {

struct ProcessInfo {
  long pid = 0;
  std::string exe;                // the executable's path, when known (its name alone on Windows)
  std::vector<std::string> args;  // the command line, program first, when known
  std::string cwd;                // the working directory, when known
  // For a program run by Wine (its command line names a Windows path): the prefix that holds
  // its drives, from the process's environment (WINEPREFIX, else ~/.wine).
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

// The system's processes: /proc on Linux, the toolhelp snapshot on Windows (executable names
// only: Windows does not show other processes' command lines or folders cheaply).
const ProcessSource& systemProcesses();
// The source in use: the system's, or the one a ProcessSourceOverride put in its place.
const ProcessSource& currentProcesses();

// The full path of a process's executable, when the system tells it (on Windows, where the
// snapshot names the program only); empty otherwise.
std::string executablePath(long pid);

// Whether a path is written the Windows way with a drive letter ("C:\…", "z:/…").
bool isDrivePath(std::string_view path);

// While an object of this class lives, currentProcesses() is `source` instead of the system's.
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
