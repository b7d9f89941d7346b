#pragma once
// Runs a shell command line and collects its exit status, standard output and standard error.
#include <string>

namespace brindle::test {

struct CommandResult {
  int status = -1;
  std::string out;
  std::string err;
};

CommandResult runCommand(const std::string& commandLine);

}  // namespace brindle::test
