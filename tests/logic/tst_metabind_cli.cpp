// brindle-cli metabind FILE KEY...: the filled-in script on standard output.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/Cp1251.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

using namespace brindle;
using namespace brindle::core;

using brindle::test::TempDir;

namespace {

using CliRun = brindle::test::CommandResult;

CliRun run(std::vector<std::string> args) {
  args.insert(args.begin(), "metabind");
  return brindle::test::runProgram(BRINDLE_CLI, args);
}

}  // namespace

TEST(CliMetabind, FillsTheKeysAndCutsTheTrailer) {
  TempDir dir;
  dir.write("jump.mtb", "bind <<1>> +jump\r\n\r\n[MetaBind]\r\nname=J\r\nbut=1\r\n");
  const CliRun r = run({dir.file("jump.mtb"), "SPACE"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "bind SPACE +jump\r\n");

  dir.write("two.mtb",
            brindle::core::fromUtf8("// прыжок и присед\r\nbind <<2>> +duck; bind <<1>> "
                                    "+jump; bind <<10>> x\r\n[metabind]\r\nname=Д\r\nbut=2\r\n"));
  const CliRun two = run({dir.file("two.mtb"), "SPACE", "CTRL"});
  EXPECT_EQ(two.status, 0) << two.err;
  // Output in UTF-8; "<<10>>" is not a slot of this MetaBind and stays.
  EXPECT_EQ(two.out, "// прыжок и присед\r\nbind CTRL +duck; bind SPACE +jump; bind <<10>> x");
}

TEST(CliMetabind, TooFewKeysUnreadableFileAndNoArgumentsFail) {
  TempDir dir;
  dir.write("two.mtb", "bind <<1>> a\r\nbind <<2>> b\r\n\r\n[MetaBind]\r\nname=T\r\nbut=2\r\n");
  const CliRun few = run({dir.file("two.mtb"), "SPACE"});
  EXPECT_NE(few.status, 0);
  EXPECT_TRUE(few.out.empty());
  EXPECT_NE(few.err.find("нужно клавиш: 2, указано: 1"), std::string::npos) << few.err;

  const CliRun missing = run({dir.file("none.mtb"), "SPACE"});
  EXPECT_NE(missing.status, 0);
  EXPECT_NE(missing.err.find("none.mtb"), std::string::npos) << missing.err;

  const CliRun none = run({});
  EXPECT_NE(none.status, 0);
  EXPECT_FALSE(none.err.empty());
}

TEST(CliMetabind, DamagedCountUsesThePlaceholdersAndExtraKeysAreReported) {
  TempDir dir;
  dir.write("bad.mtb", "bind <<1>> a\r\nbind <<2>> b\r\n\r\n[MetaBind]\r\nname=T\r\nbut=x\r\n");
  const CliRun r = run({dir.file("bad.mtb"), "q", "e", "r"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "bind q a\r\nbind e b\r\n");
  EXPECT_FALSE(r.err.empty());
}

TEST(CliMetabind, AFileThatIsNoMetaBindAndUnknownKeysAreRefused) {
  TempDir dir;
  dir.write("plain.cfg", "bind <<1>> +jump\r\n");
  const CliRun plain = run({dir.file("plain.cfg"), "SPACE"});
  EXPECT_NE(plain.status, 0);
  EXPECT_TRUE(plain.out.empty());
  EXPECT_NE(plain.err.find("это не MetaBind"), std::string::npos) << plain.err;

  dir.write("jump.mtb", "bind <<1>> +jump\r\n\r\n[MetaBind]\r\nname=J\r\nbut=1\r\n");
  const CliRun unknown = run({dir.file("jump.mtb"), "SPACEBAR"});
  EXPECT_NE(unknown.status, 0);
  EXPECT_TRUE(unknown.out.empty());
  EXPECT_NE(unknown.err.find("\"SPACEBAR\" не название клавиши"), std::string::npos) << unknown.err;
  // An extra key is checked as well.
  EXPECT_NE(run({dir.file("jump.mtb"), "SPACE", "nokey"}).status, 0);
  // Letter case does not matter; the key is written as the key lists write it.
  const CliRun lower = run({dir.file("jump.mtb"), "space"});
  EXPECT_EQ(lower.status, 0) << lower.err;
  EXPECT_EQ(lower.out, "bind SPACE +jump\r\n");
}

TEST(Cli, EverySubcommandAnswersHelpWithItsUsage) {
  for (const std::string command :
       {"check", "clean", "explain", "mapcycle", "metabind", "buyscript", "settings"}) {
    const CliRun help = brindle::test::runProgram(BRINDLE_CLI, {command, "--help"});
    EXPECT_EQ(help.status, 0) << command;
    EXPECT_NE(help.out.find("brindle-cli " + command), std::string::npos) << help.out;
    EXPECT_TRUE(help.err.empty()) << help.err;
  }
  EXPECT_NE(brindle::test::runProgram(BRINDLE_CLI, {"metabind", "--help"}).out.find("MWHEELDOWN"),
            std::string::npos);
  const CliRun all = brindle::test::runProgram(BRINDLE_CLI, {"--help"});
  EXPECT_EQ(all.status, 0);
  EXPECT_NE(all.out.find("brindle-cli metabind"), std::string::npos);
}
