// Every folder of golden/ is a game directory (game/) with the report brindle-cli effective
// prints for it (expected.txt) and single-name questions with their answers (queries.txt:
// arguments TAB answer). One folder per behaviour: overrides across files, missing files, an
// exec loop, unbindall and unaliasall in a later file, binds resolved through aliases and
// what only a key press changes, key names by their letter case, setinfo and lone CR breaks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "support/RunCommand.h"

namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<fs::path> cases() {
  std::vector<fs::path> out;
  for (const auto& e : fs::directory_iterator(BRINDLE_EFFECTIVE_GOLDEN))
    if (e.is_directory()) out.push_back(e.path());
  std::sort(out.begin(), out.end());
  return out;
}

brindle::test::CommandResult effective(const fs::path& game, std::vector<std::string> args) {
  args.insert(args.begin(), {"effective", game.string()});
  return brindle::test::runProgram(BRINDLE_CLI, args);
}

TEST(EffectiveGolden, EveryCaseReportsAsExpected) {
  const std::vector<fs::path> all = cases();
  ASSERT_GE(all.size(), 5u);
  for (const fs::path& c : all) {
    SCOPED_TRACE(c.filename().string());
    const brindle::test::CommandResult whole = effective(c / "game", {});
    EXPECT_EQ(whole.status, 0) << whole.err;
    EXPECT_EQ(whole.out, readAll(c / "expected.txt"));

    std::istringstream queries(readAll(c / "queries.txt"));
    for (std::string line; std::getline(queries, line);) {
      const std::size_t tab = line.find('\t');
      if (tab == std::string::npos) continue;
      const brindle::test::CommandResult one =
          effective(c / "game", brindle::test::splitCommandLine(line.substr(0, tab)));
      EXPECT_EQ(one.status, 0) << line << one.err;
      EXPECT_EQ(one.out, line.substr(tab + 1) + "\n") << line;
    }
  }
}

// The JSON form carries the same decision, and a name set nowhere is an error of its own.
TEST(EffectiveGolden, JsonAndUnknownNames) {
  const fs::path game = fs::path(BRINDLE_EFFECTIVE_GOLDEN) / "overrides" / "game";
  const brindle::test::CommandResult json = effective(game, {"--format", "json"});
  EXPECT_EQ(json.status, 0);
  const nlohmann::json j = nlohmann::json::parse(json.out);
  const nlohmann::json* sensitivity = nullptr;
  for (const nlohmann::json& v : j.at("variables"))
    if (v.at("name") == "sensitivity") sensitivity = &v;
  ASSERT_NE(sensitivity, nullptr) << json.out;
  EXPECT_EQ(sensitivity->at("decisive"),
            nlohmann::json({{"file", "userconfig.cfg"}, {"line", 12}, {"value", "2.5"}}));
  ASSERT_EQ(sensitivity->at("overrides").size(), 2u);
  EXPECT_EQ(sensitivity->at("overrides")[1].at("line"), 88);
  EXPECT_TRUE(j.at("setinfo").is_array());
  EXPECT_EQ(effective(game, {"--var", "no_such_var"}).status, 1);
  EXPECT_EQ(effective(game / "nowhere", {}).status, 2);
  // A file where the game directory goes: the message says it wants the directory.
  const brindle::test::CommandResult file = effective(game / "config.cfg", {});
  EXPECT_EQ(file.status, 2);
  EXPECT_NE(file.err.find("это файл"), std::string::npos) << file.err;
  const brindle::test::CommandResult noPng =
      brindle::test::runProgram(BRINDLE_CLI, {"keyboard", game.string(), "--png"});
  EXPECT_EQ(noPng.status, 2);
  if (noPng.err.find("без Qt") == std::string::npos) {  // a build that draws pictures
    EXPECT_NE(noPng.err.find("имя файла PNG"), std::string::npos) << noPng.err;
  }
  EXPECT_EQ(effective(game, {"--var", "a", "--key", "b"}).status, 2);
}

}  // namespace
