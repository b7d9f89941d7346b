#include "support/RunCommand.h"

#include <sys/wait.h>

#include <cstdio>

#include "support/TempDir.h"



namespace brindle::test {

CommandResult runCommand(const std::string& commandLine) {
  const TempDir scratch;
  const std::string errFile = scratch.file("stderr.txt");
  CommandResult result;
  FILE* p = ::popen((commandLine + " 2>" + errFile).c_str(), "r");
  if (!p) return result;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) result.out.append(buf, n);
  const int status = ::pclose(p);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.err = scratch.read("stderr.txt");
  return result;
}

}  // namespace brindle::test
