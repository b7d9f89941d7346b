// The wizard's reading of real player configs against what the game applies, written down by
// hand in tests/realworld/wizard-expected.tsv: at least 95% of the settings present read right,
// none shown wrongly; and an untouched apply gives every file back byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "core/FileIO.h"
#include "wizard/logic/SettingsModel.h"
#include "wizard/logic/WizardText.h"

using namespace brindle;
using namespace brindle::wizard;

namespace {

const std::string kRoot = std::string(BRINDLE_SOURCE_DIR) + "/tests/realworld/";

struct Expected {
  std::string variable, value, normalised;
};

std::map<std::string, std::vector<Expected>> expectedByFile() {
  std::map<std::string, std::vector<Expected>> out;
  std::istringstream in(core::readFile(kRoot + "wizard-expected.tsv").data);
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    std::vector<std::string> cols;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, '\t');) cols.push_back(cell);
    if (cols.size() >= 3)
      out[cols[0]].push_back({cols[1], cols[2], cols.size() > 3 ? cols[3] : ""});
  }
  return out;
}

// What the row shows for the game's value, as the reading holds it; nothing for a variable the
// CS 1.6 rows do not stand for (the old forms lefthand, ah, vgui_menus, which 1.6 ignores).
std::optional<std::pair<Field, std::string>> shown(const Expected& e) {
  const std::string& n = e.normalised.empty() ? e.value : e.normalised;
  const auto number = gameNumber(n);
  const auto choice = [&](Field f, std::string_view choices) -> std::pair<Field, std::string> {
    if (number && *number >= 0 && *number < 10 && static_cast<int>(*number) == *number &&
        choices.find(static_cast<char>('0' + static_cast<int>(*number))) != std::string_view::npos)
      return {f, numberText(*number)};
    return {f, std::string()};  // no choice shows it: the row may show none
  };
  if (e.variable == "cl_righthand")
    return std::pair{Field::Lefthand, number && (*number == 0 || *number == 1)
                                          ? std::string(*number == 1 ? "0" : "1")
                                          : std::string()};
  if (e.variable == "setinfo _ah")
    return std::pair{Field::AutoHelp,
                     number ? std::string(*number != 0 ? "1" : "0") : std::string()};
  if (e.variable == "setinfo _vgui_menus")
    return std::pair{Field::VguiMenus,
                     number ? std::string(*number != 0 ? "1" : "0") : std::string()};
  if (e.variable == "setinfo dm" || e.variable == "dm") return choice(Field::MapDescription, "01");
  if (e.variable == "setinfo ghosts" || e.variable == "ghosts") return choice(Field::Ghosts, "01");
  if (e.variable == "adjust_crosshair")
    return std::pair{Field::AdjustCrosshair, std::string(number && *number > 0 ? "1" : "0")};
  if (e.variable == "cl_bob")
    return std::pair{Field::Bob, number ? std::string(*number == 0 ? "0" : "1") : std::string()};
  if (e.variable == "name") return std::pair{Field::Name, e.value};
  if (e.variable == "con_color") {
    const auto rgb = parseColour(e.value);
    return std::pair{Field::ConsoleColor, colourItemOf(e.value) > 0 ? e.value
                                          : rgb                     ? formatColour(*rgb)
                                                                    : std::string()};
  }
  const auto field = fieldByName(e.variable);
  if (!field || *field == Field::Lefthand || *field == Field::AutoHelp ||
      *field == Field::VguiMenus)
    return std::nullopt;
  const FieldInfo& info = fieldInfo(*field);
  if (info.kind == FieldKind::Switch) return choice(*field, info.choices);
  return std::pair{*field, number ? numberText(*number) : std::string()};
}

}  // namespace

TEST(RealWorldSettings, TheWizardReadsWhatTheGameApplies) {
  const auto expected = expectedByFile();
  ASSERT_GE(expected.size(), 30u);
  int present = 0, right = 0, wrong = 0;
  std::string misses;
  for (const auto& [file, rows] : expected) {
    const core::ReadResult in = core::readFile(kRoot + file);
    ASSERT_TRUE(in.ok) << file;
    WizardText text;
    text.loadFileText(in.data);
    const SettingsReading reading = readSettings(text, GameVersion::Cs16);
    for (const Expected& e : rows) {
      const auto want = shown(e);
      if (!want) continue;
      ++present;
      const std::string& got = reading.values[want->first];
      if (!want->second.empty() && got == want->second) {
        ++right;
      } else if (!got.empty() && got != want->second) {
        ++wrong;
        ADD_FAILURE() << file << ": " << e.variable << " shows \"" << got << "\", the game has \""
                      << e.value << "\"";
      } else {
        misses += file + ": " + e.variable + " \"" + e.value + "\" not shown\n";
      }
    }
  }
  ASSERT_GT(present, 0);
  const double share = static_cast<double>(right) / present;
  EXPECT_GE(share, 0.95) << right << " of " << present << " read right\n" << misses;
  EXPECT_EQ(wrong, 0);
  RecordProperty("read_right", right);
  RecordProperty("present", present);
}

TEST(RealWorldSettings, AnUntouchedApplyGivesEveryFileBackByteForByte) {
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(kRoot)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".cfg") continue;
    const core::ReadResult in = core::readFile(entry.path().string());
    ASSERT_TRUE(in.ok) << entry.path();
    WizardText text;
    text.loadFileText(in.data);
    const SettingsReading reading = readSettings(text, GameVersion::Cs16);
    EXPECT_EQ(applySettings(text, reading.values, reading.values), 0) << entry.path();
    EXPECT_FALSE(text.modified()) << entry.path();
    ++files;
  }
  EXPECT_GE(files, 30);
}
