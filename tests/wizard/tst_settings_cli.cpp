// brindle-cli settings: the wizard's reading of a config, and its apply step from the command line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/Cp1251.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

using brindle::test::CommandResult;
using brindle::test::TempDir;

namespace {

const std::filesystem::path kSource(BRINDLE_SOURCE_DIR);

std::string slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

CommandResult settings(const std::string& args) {
  return brindle::test::runCommand(std::string(BRINDLE_CLI) + " settings " + args);
}

std::string shellQuoted(const std::string& s) { return "'" + s + "'"; }

}  // namespace

TEST(CliSettings, PrintsTheWizardsReadingOfTheGamesConfig) {
  const CommandResult r = settings(shellQuoted((kSource / "examples/cstrike/config.cfg").string()));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, slurp(kSource / "tests/wizard/golden/04_game_config_untouched/reading.txt"));
  EXPECT_EQ(r.err, "");
}

TEST(CliSettings, SetAppliesLikeTheWizardAndSavesTheFile) {
  TempDir dir;
  const std::filesystem::path golden = kSource / "tests/wizard/golden/05_game_config_changed";
  const std::string path = dir.write("config.cfg", slurp(golden / "input.cfg"));
  std::string args = shellQuoted(path) + " --set";
  std::istringstream choices(slurp(golden / "choices.txt"));
  for (std::string line; std::getline(choices, line);)
    if (!line.empty() && line[0] != '#') args += " " + shellQuoted(line);
  const CommandResult r = settings(args);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(dir.read("config.cfg"), slurp(golden / "expected.cfg"));
}

TEST(CliSettings, EveryChoiceIsWrittenOrRefusedAndBadInputChangesNothing) {
  TempDir dir;
  const std::string original = "sensitivity \"2\"\r\nname \"Old\"\r\n";
  const std::string path = dir.write("a.cfg", original);
  // Wrong use: exit 2.
  for (const char* bad :
       {"--set nosuchrow=1", "--set sensitivity", "--set", "--frobnicate", "--game 1.7"}) {
    const CommandResult r = settings(shellQuoted(path) + " " + bad);
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_NE(r.err, "") << bad;
  }
  // A value the row cannot write: refused with a message naming the row, exit 1.
  for (const char* bad :
       {"sensitivity=20000", "rate=100001", "radar=2", "con_color=1,2,3", "'name=a\"b'",
        "name=", "sensitivity=", "mp_c4timer=2.5", "sensitivity=x"}) {
    const CommandResult r = settings(shellQuoted(path) + " --set " + bad);
    EXPECT_EQ(r.status, 1) << bad;
    EXPECT_NE(r.err.find(std::string(bad).substr(bad[0] == '\'' ? 1 : 0, 4)), std::string::npos)
        << bad << ": " << r.err;
  }
  // Every choice is checked first: a good one before a bad one is not applied either.
  EXPECT_EQ(settings(shellQuoted(path) + " --set sensitivity=3 radar=7").status, 1);
  EXPECT_EQ(dir.read("a.cfg"), original);

  const CommandResult missing = settings(shellQuoted(dir.file("missing.cfg")));
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err, "");
  EXPECT_EQ(settings("").status, 2);

  // Fractions where the game reads fractions, with a point or a comma; a position of the net
  // graph also without net_graph in the file.
  EXPECT_EQ(settings(shellQuoted(path) +
                     " --set sensitivity=2,5 mp_roundtime=2.5 net_graphpos=1 name=New")
                .status,
            0);
  EXPECT_EQ(
      dir.read("a.cfg"),
      "sensitivity \"2.5\"\r\nname \"New\"\r\nnet_graphpos \"1\"\r\nmp_roundtime \"2.5\"\r\n");

  // A console colour that cannot be read is reported in Russian, naming the setting and its whole
  // value; the other rows are read all the same, and the exit status says so.
  dir.write("b.cfg", "con_color \"255 180\"\r\nsensitivity \"2\"\r\n");
  const CommandResult warned = settings(shellQuoted(dir.file("b.cfg")));
  EXPECT_EQ(warned.status, 1);
  EXPECT_NE(warned.err.find("(con_color) \"255 180\" не прочитан"), std::string::npos)
      << warned.err;
  EXPECT_NE(warned.out.find("sensitivity=2\n"), std::string::npos);

  const CommandResult help = settings("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("mp_startmoney  800..16000"), std::string::npos);
  EXPECT_NE(help.out.find("rate  0..100000\n"), std::string::npos) << help.out;
}

// The engine takes a rate up to 100000: it is read back as written, never in exponent form, and
// set from the command line; a name that would start a comment is written in quotes.
TEST(CliSettings, TheEnginesLargestRateAndACommentLikeName) {
  TempDir dir;
  const std::string path = dir.write("a.cfg", "rate \"100000\"\r\nname Player\r\n");
  const CommandResult read = settings(shellQuoted(path));
  EXPECT_EQ(read.status, 0) << read.err;
  EXPECT_NE(read.out.find("\nrate=100000\n"), std::string::npos) << read.out;

  const CommandResult set = settings(shellQuoted(path) + " --set rate=20000 'name=//x'");
  EXPECT_EQ(set.status, 0) << set.err;
  EXPECT_EQ(dir.read("a.cfg"), "rate \"20000\"\r\nname \"//x\"\r\n");
  EXPECT_EQ(settings(shellQuoted(path) + " --set rate=100000").status, 0);
  EXPECT_EQ(dir.read("a.cfg"), "rate \"100000\"\r\nname \"//x\"\r\n");
  EXPECT_NE(settings(shellQuoted(path)).out.find("name=//x\n"), std::string::npos);
}

// A choice the game would not read back after the write is an error, and the file stays: no line
// after an alias undoes the crosshair colour change the alias runs.
TEST(CliSettings, AChoiceTheGameWouldNotReadBackIsNotSaved) {
  TempDir dir;
  const std::string original = "alias setup \"adjust_crosshair\"\r\nsetup\r\n";
  const std::string path = dir.write("a.cfg", original);
  const CommandResult r = settings(shellQuoted(path) + " --set adjust_crosshair=0");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("adjust_crosshair: "), std::string::npos) << r.err;
  EXPECT_EQ(dir.read("a.cfg"), original);
}

// A file-size limit of 0 needs the POSIX shell; the Windows build tests failed saves in the
// file layer.
#ifndef _WIN32
TEST(CliSettings, AFailedSaveLeavesTheFileAndSaysSo) {
  TempDir dir;
  const std::string original = "sensitivity \"2\"\r\n";
  const std::string path = dir.write("a.cfg", original);
  // No file may grow beyond 0 bytes: the file is read, and its replacement cannot be written.
  // The messages go through a pipe to `cat`, which the limit does not touch.
  const CommandResult r = brindle::test::runShell(
      "((trap '' XFSZ; ulimit -f 0; exec " + std::string(BRINDLE_CLI) + " settings " +
      shellQuoted(path) + " --set sensitivity=4) 2>&1; echo \"exit=$?\") | cat");
  EXPECT_NE(r.out.find("exit=1"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("a.cfg\": "), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("Cannot"), std::string::npos) << r.out;
  EXPECT_EQ(dir.read("a.cfg"), original);
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    EXPECT_EQ(entry.path().filename(), "a.cfg");  // no temporary file left behind
}
#endif
