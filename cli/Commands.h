#pragma once
// The sub-commands of brindle-cli. Each returns the process exit code.
#include <string>
#include <vector>

namespace brindle::cli {

int check(const std::vector<std::string>& args, const char* argv0);
int clean(const std::vector<std::string>& args);
// `argv0` locates the program directory (the data folders lie beside the executable).
int explain(const std::vector<std::string>& args, const char* argv0);
int metabind(const std::vector<std::string>& args);
int mapcycle(const std::vector<std::string>& args);
int buyscript(const std::vector<std::string>& args);
int settings(const std::vector<std::string>& args);
int backups(const std::vector<std::string>& args);
int restore(const std::vector<std::string>& args);
int effective(const std::vector<std::string>& args, const char* argv0);
// Runs brindle-keyboard beside the executable, which draws the keyboard picture; in a build
// without Qt it says so and fails.
int keyboard(const std::vector<std::string>& args, const char* argv0);
int gamedir(const std::vector<std::string>& args, const char* argv0);

// Directory of the running executable, with a trailing separator.
std::string programDirectory(const char* argv0);

}  // namespace brindle::cli
