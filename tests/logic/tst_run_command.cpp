// The tests' own way of starting a program: a start that fails is tried once more and then
// reported with the system's reason, so a test never sees a bare -1.
#include <gtest/gtest.h>

#include <system_error>

#include "support/RunCommand.h"
#include "support/TempDir.h"

using brindle::test::CommandResult;
using brindle::test::runProgram;
using brindle::test::TempDir;

TEST(RunProgram, AFailedStartIsTriedOnceMoreAndReportedWithTheSystemsError) {
  const TempDir dir;
  const CommandResult missing = runProgram(dir.file("no-such-program"), {"x"});
  EXPECT_EQ(missing.status, -1);
  EXPECT_EQ(missing.attempts, 2);
  EXPECT_NE(missing.err.find("no-such-program"), std::string::npos) << missing.err;
  // ENOENT and ERROR_FILE_NOT_FOUND are both 2.
  EXPECT_NE(missing.err.find(std::system_category().message(2)), std::string::npos) << missing.err;

  const CommandResult started = runProgram(BRINDLE_CLI, {"--help"});
  EXPECT_EQ(started.status, 0) << started.err;
  EXPECT_EQ(started.attempts, 1);
}
