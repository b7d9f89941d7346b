// brindle-keyboard: draws the keyboard of a game directory's effective binds into a PNG file.
// brindle-cli keyboard runs it; see KeyboardLauncher.cpp.
#include "cli/Commands.h"
#include "cli/Console.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args = brindle::cli::startCommandLine(argc, argv);
  return brindle::cli::drawKeyboard(args, argv[0]);
}
