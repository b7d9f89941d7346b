#pragma once
// What the command-line program needs from its system: the arguments as UTF-8 and standard
// streams that pass bytes through unchanged.
#include <string>
#include <vector>

namespace brindle::cli {

// The arguments after the program name, in UTF-8, with standard input and output set up to
// carry bytes unchanged (Windows would otherwise turn "\n" into "\r\n" and stop reading at
// Ctrl+Z, and hand over the arguments in the ANSI code page).
std::vector<std::string> startCommandLine(int argc, char** argv);

}  // namespace brindle::cli
