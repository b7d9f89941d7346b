// brindle-cli clean: in place, atomically, and through standard input and output.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/RunCommand.h"
#include "support/TempDir.h"

using brindle::test::TempDir;

namespace {

using CliRun = brindle::test::CommandResult;

// Standard error joins standard output, as a user at a terminal sees them.
CliRun run(const std::vector<std::string>& args, const std::string& input = {}) {
  CliRun r = brindle::test::runProgram(BRINDLE_CLI, args, input);
  r.out += r.err;
  return r;
}

}  // namespace

TEST(CliClean, CleansFilesInPlaceAsTheEditorWouldSaveThem) {
  TempDir dir;
  dir.write("a.cfg", "bind  x \"+attack \"\nalias q \"b; c;\";");
  dir.write("b.cfg", "clean\r\n");
  const CliRun clean = run({"clean", dir.file("a.cfg"), dir.file("b.cfg")});
  EXPECT_EQ(clean.status, 0) << clean.out;
  EXPECT_EQ(dir.read("a.cfg"), "bind x \"+attack\"\r\nalias q \"b;c\";\r\n");
  EXPECT_EQ(dir.read("b.cfg"), "clean\r\n");
}

TEST(CliClean, StandardInputToStandardOutput) {
  TempDir dir;
  dir.write("in.cfg", "a  b;\r\n");
  const CliRun r = brindle::test::runProgram(BRINDLE_CLI, {"clean", "-"}, dir.file("in.cfg"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "a b\r\n");
}

TEST(CliClean, UnreadableFilesFailClearlyAndTheOthersAreStillCleaned) {
  TempDir dir;
  dir.write("ok.cfg", "x;\r\n");
  const CliRun r = run({"clean", dir.file("missing.cfg"), dir.file("ok.cfg")});
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.out.find("missing.cfg"), std::string::npos);
  EXPECT_EQ(dir.read("ok.cfg"), "x\r\n");
  EXPECT_NE(run({"clean"}).status, 0);
  EXPECT_NE(run({"frobnicate"}).status, 0);
}
