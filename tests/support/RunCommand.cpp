#include "support/RunCommand.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#endif

#include <cerrno>
#include <chrono>
#include <system_error>
#include <thread>

#include "core/FileIO.h"
#include "support/TempDir.h"

namespace brindle::test {

namespace {

constexpr int kStartAttempts = 2;

void pauseBeforeRetry() { std::this_thread::sleep_for(std::chrono::milliseconds(200)); }

std::string startFailure(const std::string& program, int code) {
  return "cannot start " + program + ": " + std::system_category().message(code) + " (" +
         std::to_string(code) + ")\n";
}

}  // namespace

#ifdef _WIN32

namespace {

// One argument quoted so that the C runtime of the started program splits it back unchanged.
std::wstring quoted(const std::wstring& arg) {
  std::wstring out = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');
  out += L'"';
  return out;
}

HANDLE openInherited(const std::wstring& path, bool forWriting) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return ::CreateFileW(path.c_str(), forWriting ? GENERIC_WRITE : GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       forWriting ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

CommandResult runProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& inputFile) {
  const TempDir scratch;
  const std::string outFile = scratch.write("stdout.txt", "");
  const std::string errFile = scratch.write("stderr.txt", "");
  const std::string inFile = inputFile.empty() ? scratch.write("stdin.txt", "") : inputFile;
  const std::wstring exe = core::pathFromUtf8(program).wstring();
  std::wstring commandLine = quoted(exe);
  for (const auto& a : args) commandLine += L" " + quoted(core::pathFromUtf8(a).wstring());

  CommandResult result;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = openInherited(core::pathFromUtf8(inFile).wstring(), false);
  startup.hStdOutput = openInherited(core::pathFromUtf8(outFile).wstring(), true);
  startup.hStdError = openInherited(core::pathFromUtf8(errFile).wstring(), true);
  PROCESS_INFORMATION process{};
  bool started = false;
  DWORD startError = 0;
  while (!started && result.attempts < kStartAttempts) {
    if (result.attempts++ > 0) pauseBeforeRetry();
    // CreateProcessW may change the command line it is given: each attempt gets a fresh copy.
    std::wstring line = commandLine;
    started = ::CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                               nullptr, &startup, &process) != 0;
    if (!started) startError = ::GetLastError();
  }
  if (started) {
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    if (::GetExitCodeProcess(process.hProcess, &code)) result.status = static_cast<int>(code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }
  for (HANDLE h : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
    if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
  result.out = scratch.read("stdout.txt");
  result.err = scratch.read("stderr.txt");
  if (!started) result.err += startFailure(program, static_cast<int>(startError));
  return result;
}

#else

CommandResult runProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& inputFile) {
  const TempDir scratch;
  const std::string outFile = scratch.file("stdout.txt");
  const std::string errFile = scratch.file("stderr.txt");
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 0, inputFile.empty() ? "/dev/null" : inputFile.c_str(),
                                   O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&files, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&files, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::vector<char*> argv;
  std::string name = program;
  argv.push_back(name.data());
  std::vector<std::string> copies = args;
  for (auto& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);

  CommandResult result;
  pid_t pid = 0;
  int startError = -1;
  while (startError != 0 && result.attempts < kStartAttempts) {
    if (result.attempts++ > 0) pauseBeforeRetry();
    startError = ::posix_spawn(&pid, program.c_str(), &files, nullptr, argv.data(), environ);
  }
  if (startError == 0) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&files);
  result.out = scratch.read("stdout.txt");
  result.err = scratch.read("stderr.txt");
  if (startError != 0) result.err += startFailure(program, startError);
  return result;
}

#endif

std::vector<std::string> splitCommandLine(const std::string& commandLine) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  bool escaped = false;
  char quote = 0;
  for (const char c : commandLine) {
    if (escaped) {
      word += c;
      escaped = false;
    } else if (quote == 0 && c == '\\') {
      escaped = true;
      inWord = true;
    } else if (quote != 0) {
      if (c == quote)
        quote = 0;
      else
        word += c;
    } else if (c == '\'' || c == '"') {
      quote = c;
      inWord = true;
    } else if (c == ' ' || c == '\t') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

CommandResult runCommand(const std::string& commandLine) {
  std::vector<std::string> words = splitCommandLine(commandLine);
  if (words.empty()) return {};
  const std::string program = words.front();
  words.erase(words.begin());
  return runProgram(program, words);
}

#ifndef _WIN32
CommandResult runShell(const std::string& commandLine) {
  return runProgram("/bin/sh", {"-c", commandLine});
}
#endif

}  // namespace brindle::test
