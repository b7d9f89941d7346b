#pragma once
// Runs a program, without a shell, and collects its exit status, standard output and
// standard error.
#include <string>
#include <vector>

namespace brindle::test {

struct CommandResult {
  int status = -1;
  std::string out;
  std::string err;
  int attempts = 0;  // how often the program was started (a failed start is tried again once)
};

// `program` is a path (UTF-8); `args` are passed as they are, spaces and quotes included.
// Standard input reads from `inputFile`, or is empty when none is given. A process that cannot
// be created (the system is short of resources under load) is tried once more after a pause;
// when that fails too, status is -1 and `err` holds the system's error.
CommandResult runProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& inputFile = {});

// A command line split into words as a POSIX shell would split it, without expanding
// anything: blanks separate words, single and double quotes keep theirs. The first word is the
// program.
std::vector<std::string> splitCommandLine(const std::string& commandLine);
CommandResult runCommand(const std::string& commandLine);

#ifndef _WIN32
// Runs a line through /bin/sh, for the few tests that need the shell itself (resource limits).
CommandResult runShell(const std::string& commandLine);
#endif

}  // namespace brindle::test
