// The settings rows, read and written through golden files: each folder of tests/wizard/golden
// holds an input config, the choices made (one "row=value" line each, as brindle-cli takes them;
// an empty file is an untouched apply) and the expected file after the apply. A folder may also
// hold reading.txt, the expected reading of the input (as brindle-cli prints it), warnings.txt,
// the expected messages, refused.txt, the rows whose choice must be refused (one "row=value" a
// line, rows other than those chosen, each refused with a message and not written), and game.txt,
// "1.5" for a case of CS 1.5 (CS 1.6 otherwise).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/ConsoleScript.h"
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

// Every row reads back what it wrote: each field is set to a value the loaded text does not hold,
// the text is read again through the same reading, and the field shows that value while every
// other field shows what it showed before. No line that holds none of the row's settings changes,
// byte for byte; lines the apply adds hold only the row's settings.
namespace {

// The names a row's settings go by (for `setinfo`, its key), beyond the field's own name.
std::vector<std::string> rowNames(Field f) {
  switch (f) {
    case Field::Lefthand:
      return {"cl_righthand", "lefthand"};
    case Field::AutoHelp:
      return {"_ah", "ah"};
    case Field::VguiMenus:
      return {"_vgui_menus", "vgui_menus"};
    case Field::Radar:
      return {"drawradar", "hideradar"};
    case Field::NetGraph:
    case Field::NetGraphPosition:
      return {"net_graph", "net_graphpos"};
    case Field::Bob:
      return {"cl_bob", "cl_bobup", "cl_bobcycle"};
    case Field::TimeLimit:
    case Field::MaxRounds:
      return {"mp_timelimit", "mp_maxrounds"};
    case Field::LimitTeams:
      return {"mp_limitteams", "mp_autoteambalance"};
    default:
      return {std::string(fieldInfo(f).name)};
  }
}

// The commands of a line as word lists, without those that set one of `names`.
std::vector<std::vector<std::string>> otherCommands(const std::string& line,
                                                    const std::vector<std::string>& names) {
  std::vector<std::vector<std::string>> out;
  for (const ConsoleCommand& c : consoleCommands(line)) {
    const bool setinfo = brindle::core::sameName(c.name(), "setinfo") && c.words.size() > 1;
    const std::string& name = setinfo ? c.words[1].text : c.name();
    if (std::any_of(names.begin(), names.end(),
                    [&](const std::string& n) { return brindle::core::sameName(n, name); }))
      continue;
    auto& words = out.emplace_back();
    for (const ConsoleWord& w : c.words) words.push_back(w.text);
  }
  return out;
}

// A value of the field that the loaded text does not show, and that the row takes.
std::string otherValue(Field f, const std::string& shown) {
  const FieldInfo& info = fieldInfo(f);
  std::vector<std::string> candidates;
  switch (info.kind) {
    case FieldKind::Text:
      candidates = {"a b//c;d", "Other"};
      break;
    case FieldKind::Switch:
      for (const char c : info.choices) candidates.emplace_back(1, c);
      break;
    case FieldKind::Number:
      candidates = {numberText(info.maximum), numberText(info.minimum)};
      break;
    case FieldKind::Colour:
      candidates = {"1 2 3", "4 5 6"};
      break;
  }
  for (const std::string& c : candidates)
    if (c != shown && checkValue(f, c)) return c;
  ADD_FAILURE() << info.name << ": no other value";
  return shown;
}

TEST(SettingsRoundTrip, EveryRowReadsBackWhatItWrote) {
  const std::string glued =
      "sensitivity:2; name Player // me\r\n"
      "\"zoom_sensitivity_ratio\" :1; rate 25000.000000\r\n"
      "setinfo \"_ah\" \"0\"; _ah 1 ;setinfo \"_vgui_menus\" 0\r\n"
      "scr_conspeed 600//x\r\n"
      "mp_c4timer\"35\";mp_freezetime \"6\"//c\r\n"
      "drawradar; cl_bob 0.01 ; hud_fastswitch \"1\"//c\r\n"
      "alias setup \"max_shells 50; net_graph 3\"; setup\r\n"
      "mp_timelimit 20 mp_maxrounds\r\n"
      "lefthand 1; echo \"sensitivity 5\"\r\n";
  const std::string inputs[] = {slurp(kGolden / "02_every_row_present/input.cfg"), "", glued};
  for (const GameVersion version : {GameVersion::Cs16, GameVersion::Cs15}) {
    for (const std::string& input : inputs) {
      WizardText loaded;
      loaded.loadFileText(input);
      const SettingsReading reading = readSettings(loaded, version);
      for (const FieldInfo& info : allFields()) {
        SettingsValues chosen = reading.values;
        const std::string value = otherValue(info.field, reading.values[info.field]);
        ASSERT_EQ(chooseValue(chosen, info.field, value), "") << info.name;
        WizardText text = loaded;
        EXPECT_EQ(applySettings(text, reading.values, chosen, version), 1) << info.name;

        const std::string trace = std::string(info.name) + "=" + value + " in\n" + input;
        const SettingsReading reread = readSettings(text, version);
        for (const FieldInfo& other : allFields())
          EXPECT_EQ(reread.values[other.field], chosen[other.field])
              << other.name << " after " << trace << "\ngave\n"
              << text.fileText();

        const std::vector<std::string> names = rowNames(info.field);
        const std::vector<std::string> before = loaded.lines(), after = text.lines();
        ASSERT_GE(after.size(), before.size()) << trace;
        for (std::size_t i = 0; i < after.size(); ++i) {
          const std::string& was = i < before.size() ? before[i] : std::string();
          if (was == after[i]) continue;
          EXPECT_EQ(otherCommands(after[i], names), otherCommands(was, names))
              << "line " << i << " after " << trace << "\ngave\n"
              << text.fileText();
        }
      }
    }
  }
}

}  // namespace
