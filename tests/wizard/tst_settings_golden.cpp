// The settings rows, read and written through golden files: each folder of tests/wizard/golden
// holds an input config, the choices made (one "row=value" line each, as brindle-cli takes them;
// an empty file is an untouched apply) and the expected file after the apply. A folder may also
// hold reading.txt, the expected reading of the input (as brindle-cli prints it), warnings.txt,
// the expected messages, refused.txt, the rows whose choice must be refused (one "row=value" a
// line, each refused with a message and not written), and game.txt, "1.5" for a case of CS 1.5
// (CS 1.6 otherwise).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/Cp1251.h"
#include "core/Text.h"
#include "wizard/logic/LoadingPass.h"
#include "wizard/logic/SettingsModel.h"
#include "wizard/logic/WizardText.h"

namespace fs = std::filesystem;
using namespace brindle::wizard;

namespace {

const fs::path kGolden = fs::path(BRINDLE_SOURCE_DIR) / "tests/wizard/golden";

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> caseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kGolden))
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class Golden : public testing::TestWithParam<std::string> {};

TEST_P(Golden, ApplyingTheChoicesGivesTheExpectedFile) {
  const fs::path dir = kGolden / GetParam();
  const std::string input = slurp(dir / "input.cfg");
  const GameVersion version =
      fs::exists(dir / "game.txt") && slurp(dir / "game.txt").starts_with("1.5")
          ? GameVersion::Cs15
          : GameVersion::Cs16;
  WizardTexts texts;
  texts.working.loadFileText(input);
  const SettingsReading reading = runLoadingPass(texts, {}, false, version).settings;

  if (fs::exists(dir / "reading.txt")) {
    EXPECT_EQ(formatReading(reading), slurp(dir / "reading.txt")) << "reading of " << GetParam();
  }
  std::string warnings;
  for (const std::string& w : reading.warnings) warnings += w + "\n";
  const std::string expectedWarnings =
      fs::exists(dir / "warnings.txt") ? slurp(dir / "warnings.txt") : std::string();
  EXPECT_EQ(warnings, expectedWarnings);

  SettingsValues chosen = reading.values;
  for (const std::string& line : brindle::core::splitLines(slurp(dir / "choices.txt"))) {
    if (line.empty() || line[0] == '#') continue;
    const auto eq = line.find('=');
    ASSERT_NE(eq, std::string::npos) << line;
    const auto field = fieldByName(line.substr(0, eq));
    ASSERT_TRUE(field) << line;
    // As brindle-cli takes a value: UTF-8, a name kept in the encoding of the name it replaces.
    const std::string typed = line.substr(eq + 1);
    const std::string value = *field == Field::Name ? nameForFile(typed, reading.values[*field])
                                                    : brindle::core::fromUtf8(typed);
    const std::string error = chooseValue(chosen, *field, value);
    ASSERT_EQ(error, "") << line;
  }
  // Choices the rows cannot write: each is refused with a message, and nothing of it is written.
  const std::string refusedCases =
      fs::exists(dir / "refused.txt") ? slurp(dir / "refused.txt") : "";
  for (const std::string& line : brindle::core::splitLines(refusedCases)) {
    const auto eq = line.find('=');
    ASSERT_NE(eq, std::string::npos) << line;
    const auto field = fieldByName(line.substr(0, eq));
    ASSERT_TRUE(field) << line;
    SettingsValues tried = chosen;
    tried[*field] = brindle::core::fromUtf8(line.substr(eq + 1));
    const auto refusal = refusalOf(reading.values, tried);
    ASSERT_TRUE(refusal) << line;
    EXPECT_EQ(refusal->field, *field);
    EXPECT_EQ(refusal->page, fieldInfo(*field).page);
    EXPECT_NE(refusal->message, "");
    EXPECT_EQ(chooseValue(tried, *field, tried[*field]), refusal->message) << line;
    WizardText untouched = texts.working;
    applySettings(untouched, reading.values, tried, version);
    applySettings(texts.working, reading.values, chosen, version);
    EXPECT_EQ(untouched.fileText(), texts.working.fileText()) << line << " was written";
    texts.working.loadFileText(input);
  }
  applySettings(texts.working, reading.values, chosen, version);
  // An unchanged text is not saved at all, so the file stays as it was.
  const std::string saved = texts.working.modified() ? texts.working.fileText() : input;
  EXPECT_EQ(saved, slurp(dir / "expected.cfg")) << "apply of " << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, testing::ValuesIn(caseNames()),
                         [](const auto& test) { return test.param; });

}  // namespace
