// brindle-cli keyboard: the picture needs Qt's image classes, which the other commands do without
// (loading Qt would make every command start several times slower). So the picture is drawn by
// brindle-keyboard, a small program beside this one that links Qt's GUI module; this command
// hands its arguments over to it and ends with its exit code.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "core/FileIO.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace brindle::cli {

int keyboard(const std::vector<std::string>& args, const char* argv0) {
  const std::string helper = programDirectory(argv0) + "brindle-keyboard";
#ifdef _WIN32
  (void)args;
  (void)helper;
  std::fputs("brindle-cli keyboard: эта сборка собрана без Qt и не рисует картинки\n", stderr);
  return 2;
#else
  if (!core::fileExists(helper)) {
    std::fprintf(stderr,
                 "brindle-cli keyboard: нет программы %s (сборка без Qt не рисует картинки)\n",
                 helper.c_str());
    return 2;
  }
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(helper.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::fflush(stdout);
  std::fflush(stderr);
  execv(helper.c_str(), argv.data());
  std::perror("brindle-cli keyboard: brindle-keyboard не запустилась");
  return 2;
#endif
}

}  // namespace brindle::cli
