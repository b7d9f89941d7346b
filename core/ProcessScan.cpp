#include "core/ProcessScan.h"

#include <filesystem>
#include <string_view>
#include <system_error>

#include "core/FileIO.h"
#include "core/Text.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h first: tlhelp32.h needs its types.
#include <tlhelp32.h>
#endif

namespace brindle::core {
namespace {

namespace fs = std::filesystem;

const ProcessSource* overrideSource = nullptr;

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// The last component of a path written with '/' or '\' separators, in lower case.
std::string lowerBaseName(std::string_view path) { return lower(baseName(path)); }

bool isGameProgramName(std::string_view name) { return name == "hl_linux" || name == "hl.exe"; }

// The folder part of a path written with '/' or '\' separators.
std::string folderOf(std::string_view path) {
  const auto pos = path.find_last_of("/\\");
  return pos == std::string_view::npos ? std::string() : std::string(path.substr(0, pos));
}

// A Windows path as Wine sees it on the Unix side: drive Z: is the root, the other drives are
// links in the prefix's dosdevices folder. Empty when it cannot be told.
bool isWindowsPath(std::string_view path) {
  return path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

std::string unixPathOfWindowsPath(std::string_view path, const std::string& prefix) {
#ifdef _WIN32
  // Natively the path is the path.
  (void)prefix;
  return isWindowsPath(path) ? std::string(path) : std::string();
#else
  if (!isWindowsPath(path)) return {};
  std::string rest(path.substr(3));
  for (char& c : rest)
    if (c == '\\') c = '/';
  const char drive = lower(path.substr(0, 1))[0];
  if (drive == 'z') return "/" + rest;
  if (prefix.empty()) return {};
  return prefix + "/dosdevices/" + std::string(1, drive) + ":/" + rest;
#endif
}

// The folder a game process runs from: its program's folder; for a bare program name, the
// working folder. Several when they differ (a Wine program and its working folder).
std::vector<std::string> gameRootsOf(const ProcessInfo& p, std::string_view program) {
  std::vector<std::string> roots;
  if (!p.exe.empty() && isGameProgramName(lowerBaseName(p.exe))) roots.push_back(folderOf(p.exe));
  const std::string unix = unixPathOfWindowsPath(program, p.winePrefix);
  if (!unix.empty())
    roots.push_back(folderOf(unix));
  else if (!program.empty() && program.front() == '/')
    roots.push_back(folderOf(program));
  if (!p.cwd.empty()) roots.push_back(p.cwd);
  return roots;
}

// The game program named on the command line, or nothing when the process is no game: the
// program itself (hl_linux; hl.exe, also as Wine shows it), or the file Wine was asked to run.
std::optional<std::string> gameProgramOf(const ProcessInfo& p) {
  if (!p.exe.empty() && isGameProgramName(lowerBaseName(p.exe)))
    return p.args.empty() ? p.exe : p.args.front();
  if (p.args.empty()) return std::nullopt;
  if (isGameProgramName(lowerBaseName(p.args[0]))) return p.args[0];
  const bool wine = lowerBaseName(p.exe).find("wine") != std::string::npos ||
                    lowerBaseName(p.args[0]).find("wine") != std::string::npos;
  if (wine && p.args.size() > 1 && lowerBaseName(p.args[1]) == "hl.exe") return p.args[1];
  return std::nullopt;
}

// The mod a game process runs: the word after -game, else the game's own "valve"; nothing
// when the command line is unknown.
std::optional<std::string> modOf(const ProcessInfo& p) {
  if (p.args.empty()) return std::nullopt;
  for (std::size_t i = 0; i + 1 < p.args.size(); ++i)
    if (lower(p.args[i]) == "-game") return lower(p.args[i + 1]);
  return std::string("valve");
}

bool sameFolder(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code ec;
  if (fs::equivalent(pathFromUtf8(a), pathFromUtf8(b), ec)) return true;
  return fs::weakly_canonical(pathFromUtf8(a), ec) == fs::weakly_canonical(pathFromUtf8(b), ec);
}

// The mod folder without a trailing separator.
fs::path modFolder(const std::string& gameDir) {
  std::string dir = gameDir;
  while (dir.size() > 1 && (dir.back() == '/' || dir.back() == '\\')) dir.pop_back();
  return pathFromUtf8(dir);
}

#ifndef _WIN32
std::string readLink(const fs::path& link) {
  std::error_code ec;
  const fs::path target = fs::read_symlink(link, ec);
  return ec ? std::string() : utf8Of(target);
}

// NUL-separated strings.
std::vector<std::string> splitNul(const std::string& data) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start < data.size()) {
    const auto end = data.find('\0', start);
    out.push_back(data.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return out;
}

std::string environmentValue(const std::vector<std::string>& environ, std::string_view name) {
  for (const std::string& e : environ)
    if (e.size() > name.size() && e.compare(0, name.size(), name) == 0 && e[name.size()] == '=')
      return e.substr(name.size() + 1);
  return {};
}
#endif

}  // namespace

std::vector<ProcessInfo> ProcFsSource::processes() const {
  std::vector<ProcessInfo> out;
#ifndef _WIN32
  constexpr std::uintmax_t kMaxProcFile = 1u << 20;
  std::error_code ec;
  for (fs::directory_iterator it(pathFromUtf8(root_), ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = utf8Of(it->path().filename());
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
    ProcessInfo p;
    p.pid = std::stol(name);
    p.exe = readLink(it->path() / "exe");
    p.cwd = readLink(it->path() / "cwd");
    const ReadResult cmdline = readFile(utf8Of(it->path() / "cmdline"), kMaxProcFile);
    if (cmdline.ok) p.args = splitNul(cmdline.data);
    // Only a game under Wine needs its environment: where its drive letters lead.
    const auto program = gameProgramOf(p);
    if (program && isWindowsPath(*program)) {
      const ReadResult env = readFile(utf8Of(it->path() / "environ"), kMaxProcFile);
      if (env.ok) {
        const auto vars = splitNul(env.data);
        p.winePrefix = environmentValue(vars, "WINEPREFIX");
        const std::string home = environmentValue(vars, "HOME");
        if (p.winePrefix.empty() && !home.empty()) p.winePrefix = home + "/.wine";
      }
    }
    out.push_back(std::move(p));
  }
#endif
  return out;
}

namespace {

#ifdef _WIN32
class ToolhelpSource : public ProcessSource {
 public:
  std::vector<ProcessInfo> processes() const override {
    std::vector<ProcessInfo> out;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return out;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
      ProcessInfo p;
      p.pid = static_cast<long>(entry.th32ProcessID);
      p.exe = utf8Of(fs::path(entry.szExeFile));
      // The full path only for the game's program: opening every process costs time.
      if (isGameProgramName(lowerBaseName(p.exe))) {
        const HANDLE process =
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
        if (process != nullptr) {
          wchar_t path[MAX_PATH * 4];
          DWORD size = static_cast<DWORD>(std::size(path));
          if (QueryFullProcessImageNameW(process, 0, path, &size))
            p.exe = utf8Of(fs::path(std::wstring(path, size)));
          CloseHandle(process);
        }
      }
      out.push_back(std::move(p));
    }
    CloseHandle(snapshot);
    return out;
  }
};
#endif

}  // namespace

const ProcessSource& systemProcesses() {
#ifdef _WIN32
  static const ToolhelpSource source;
#else
  static const ProcFsSource source;
#endif
  return source;
}

std::vector<ProcessInfo> gameProcessesFor(const std::vector<ProcessInfo>& processes,
                                          const std::string& gameDir) {
  std::vector<ProcessInfo> out;
  const fs::path mod = modFolder(gameDir);
  const std::string modName = lower(utf8Of(mod.filename()));
  const std::string root = utf8Of(mod.parent_path());
  for (const ProcessInfo& p : processes) {
    const auto program = gameProgramOf(p);
    if (!program) continue;
    // A process whose command line is unknown (Windows) may run any mod of its folder.
    const auto runs = modOf(p);
    if (runs && *runs != modName) continue;
    for (const std::string& r : gameRootsOf(p, *program))
      if (sameFolder(r, root)) {
        out.push_back(p);
        break;
      }
  }
  return out;
}

bool gameRunsIn(const std::string& gameDir) {
  if (gameDir.empty()) return false;
  const ProcessSource& source = overrideSource ? *overrideSource : systemProcesses();
  return !gameProcessesFor(source.processes(), gameDir).empty();
}

bool isGameConfig(const std::string& path, const std::string& gameDir) {
  if (gameDir.empty() || lowerBaseName(path) != "config.cfg") return false;
  return sameFolder(folderOf(path), utf8Of(modFolder(gameDir)));
}

ProcessSourceOverride::ProcessSourceOverride(const ProcessSource& source)
    : previous_(overrideSource) {
  overrideSource = &source;
}

ProcessSourceOverride::~ProcessSourceOverride() { overrideSource = previous_; }

}  // namespace brindle::core
