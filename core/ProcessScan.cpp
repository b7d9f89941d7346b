#include "core/ProcessScan.h"

#include <filesystem>
#include <system_error>

#include "core/FileIO.h"

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

// Wine shows the Windows program it runs as the command line's first word, or as the second
// after its own loader.
bool runByWine(const ProcessInfo& p) {
  return (!p.args.empty() && isDrivePath(p.args[0])) ||
         (p.args.size() > 1 && isDrivePath(p.args[1]));
}
#endif

}  // namespace

bool isDrivePath(std::string_view p) {
  return p.size() >= 3 && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z')) &&
         p[1] == ':' && (p[2] == '\\' || p[2] == '/');
}

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
    // Only a Wine program needs its environment: where its drive letters lead.
    if (runByWine(p)) {
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
      out.push_back(std::move(p));
    }
    CloseHandle(snapshot);
    return out;
  }
};
#endif

}  // namespace

std::string executablePath(long pid) {
#ifdef _WIN32
  std::string out;
  const HANDLE process =
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return out;
  wchar_t path[MAX_PATH * 4];
  DWORD size = static_cast<DWORD>(std::size(path));
  if (QueryFullProcessImageNameW(process, 0, path, &size))
    out = utf8Of(fs::path(std::wstring(path, size)));
  CloseHandle(process);
  return out;
#else
  return readLink(fs::path("/proc") / std::to_string(pid) / "exe");
#endif
}

const ProcessSource& systemProcesses() {
#ifdef _WIN32
  static const ToolhelpSource source;
#else
  static const ProcFsSource source;
#endif
  return source;
}

const ProcessSource& currentProcesses() {
  return overrideSource ? *overrideSource : systemProcesses();
}

ProcessSourceOverride::ProcessSourceOverride(const ProcessSource& source)
    : previous_(overrideSource) {
  overrideSource = &source;
}

ProcessSourceOverride::~ProcessSourceOverride() { overrideSource = previous_; }

}  // namespace brindle::core
