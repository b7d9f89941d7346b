// brindle-cli keyboard in a build without Qt: the picture cannot be drawn.
#include <cstdio>

#include "cli/Commands.h"

namespace brindle::cli {

int keyboard(const std::vector<std::string>&, const char*) {
  std::fputs("brindle-cli keyboard: эта сборка собрана без Qt и не рисует картинки\n", stderr);
  return 2;
}

}  // namespace brindle::cli
