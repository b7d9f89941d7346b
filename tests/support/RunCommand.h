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
};

// `program` is a path (UTF-8); `args` are passed as they are, spaces and quotes included.
// Standard input reads from `inputFile`, or is empty when none is given.
CommandResult runProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& inputFile = {});

}  // namespace brindle::test
