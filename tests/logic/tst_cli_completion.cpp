// The bash completion offers every option each subcommand's --help names, so the two cannot
// drift apart.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "support/RunCommand.h"

namespace {

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// The options of the usage lines at the top of a --help text.
std::set<std::string> usageOptions(const std::string& help) {
  std::set<std::string> out;
  std::istringstream lines(help);
  const std::regex option("--[a-z][a-z-]*");
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("Использование", 0) == 0) continue;
    const bool usage = line.find("brindle-cli ") != std::string::npos ||
                       (line.find_first_not_of(' ') != std::string::npos &&
                        line[line.find_first_not_of(' ')] == '[' && line[0] == ' ');
    if (!usage) break;
    for (std::sregex_iterator it(line.begin(), line.end(), option), end; it != end; ++it)
      out.insert(it->str());
  }
  return out;
}

// The case branch of the completion function that handles `command`.
std::string branchOf(const std::string& script, const std::string& command) {
  const std::regex label("\\n        ([a-z |]+)\\)\\n");
  for (std::sregex_iterator it(script.begin(), script.end(), label), end; it != end; ++it) {
    std::istringstream names((*it)[1].str());
    for (std::string name; names >> name;)
      if (name == command) {
        const auto from = static_cast<std::size_t>(it->position() + it->length());
        return script.substr(from, script.find("\n            ;;\n        ", from) - from);
      }
  }
  return {};
}

}  // namespace

TEST(CliCompletion, OffersEveryOptionOfEverySubcommand) {
  const std::string script =
      readAll(std::string(BRINDLE_SOURCE_DIR) + "/packaging/brindle-cli.bash-completion");
  ASSERT_FALSE(script.empty());
  const auto top = brindle::test::runProgram(BRINDLE_CLI, {"--help"});
  std::istringstream lines(top.out + top.err);
  const std::regex command("^  brindle-cli ([a-z]+)");
  std::size_t commands = 0;
  for (std::string line; std::getline(lines, line);) {
    std::smatch m;
    if (!std::regex_search(line, m, command)) continue;
    const std::string name = m[1].str();
    const auto help = brindle::test::runProgram(BRINDLE_CLI, {name, "--help"});
    const std::string branch = branchOf(script, name);
    EXPECT_FALSE(branch.empty()) << "no completion for " << name;
    for (const std::string& option : usageOptions(help.out + help.err))
      EXPECT_NE(branch.find(option), std::string::npos) << name << " " << option;
    ++commands;
  }
  EXPECT_GE(commands, 12u);
}
