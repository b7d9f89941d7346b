// Golden files of the tokenizer and the checks: every folder of golden/ holds a config
// (input.cfg, CP1251) and the problems the check must report (expected.txt, one
// "LINE:COLUMN: severity: message" a line), some also its tokens (tokens.txt). The words the
// game knows come from the shipped dictionary data and the key list of bind, as in the program.
// BRINDLE_UPDATE_GOLDEN=1 rewrites the expected files (those that exist, for tokens.txt) from
// the current output, for review.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "binds/logic/KeyNames.h"
#include "core/ConsoleScript.h"
#include "core/Cp1251.h"
#include "dictionary/logic/KnownWords.h"
#include "editor/logic/ConfigCheck.h"

using namespace brindle;
namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

const core::Vocabulary& shippedVocabulary() {
  static const core::Vocabulary v = [] {
    core::KnownWords w = dictionary::readKnownWords(BRINDLE_DATA_DIR "/");
    return core::Vocabulary(w);
  }();
  return v;
}

std::string problemsText(const std::string& input) {
  std::string out;
  // Each config is checked as what its content says it is: a server's or a player's.
  editor::CheckOptions options;
  options.kind = editor::guessConfigKind("", input, &shippedVocabulary());
  for (const editor::Problem& p : editor::checkConfig(input, shippedVocabulary(), options).problems)
    out += std::to_string(p.line) + ":" + std::to_string(p.column) + ": " +
           std::string(editor::severityName(p.severity)) + ": " + p.message + "\n";
  return out;
}

std::string tokensText(const std::string& input) {
  static const char* const names[] = {"command", "variable", "action",  "alias",
                                      "key",     "value",    "comment", "unknown"};
  const core::NameSet aliases = core::definedAliases(input);
  std::vector<core::Offset> starts{0};
  for (std::size_t i = 0; i < input.size(); ++i) {
    if (input[i] == '\r' && i + 1 < input.size() && input[i + 1] == '\n') ++i;
    if (input[i] == '\r' || input[i] == '\n') starts.push_back(static_cast<core::Offset>(i + 1));
  }
  std::string out;
  for (const core::ScriptToken& t : core::tokenize(input, shippedVocabulary(), &aliases)) {
    const auto line = std::upper_bound(starts.begin(), starts.end(), t.start) - starts.begin();
    out += std::to_string(line) + ":" +
           std::to_string(t.start - starts[static_cast<std::size_t>(line - 1)] + 1) + " " +
           std::string(static_cast<std::size_t>(t.depth), '>') + names[static_cast<int>(t.kind)] +
           " " +
           core::toUtf8(input.substr(static_cast<std::size_t>(t.start),
                                     static_cast<std::size_t>(t.length))) +
           "\n";
  }
  return out;
}

std::vector<fs::path> cases() {
  std::vector<fs::path> out;
  for (const auto& e : fs::directory_iterator(BRINDLE_CHECKS_GOLDEN))
    if (e.is_directory()) out.push_back(e.path());
  std::sort(out.begin(), out.end());
  return out;
}

void compare(const fs::path& file, const std::string& actual) {
  if (std::getenv("BRINDLE_UPDATE_GOLDEN")) {
    std::ofstream(file, std::ios::binary) << actual;
    return;
  }
  ASSERT_TRUE(fs::exists(file)) << file;
  EXPECT_EQ(actual, readAll(file)) << "golden file " << file;
}

}  // namespace

TEST(CheckGolden, EveryCaseGivesItsExpectedProblems) {
  const auto all = cases();
  ASSERT_GE(all.size(), 10u);
  for (const fs::path& dir : all) {
    SCOPED_TRACE(dir.filename().string());
    const std::string input = readAll(dir / "input.cfg");
    ASSERT_FALSE(input.empty());
    compare(dir / "expected.txt", problemsText(input));
    if (fs::exists(dir / "tokens.txt")) compare(dir / "tokens.txt", tokensText(input));
  }
}

TEST(CheckGolden, TheShippedMetaBindsAreClean) {
  // Scripts the program inserts itself must pass its own check (their key placeholders aside).
  for (const auto& e : fs::directory_iterator(BRINDLE_DATA_DIR "/dlls/metabinds")) {
    std::string text = readAll(e.path());
    text = text.substr(0, text.find("[MetaBind]"));
    for (const editor::Problem& p : editor::checkConfig(text, shippedVocabulary()).problems)
      if (p.kind != editor::ProblemKind::BadKeyName)
        ADD_FAILURE() << e.path().filename() << ":" << p.line << ":" << p.column << ": "
                      << p.message;
  }
}
