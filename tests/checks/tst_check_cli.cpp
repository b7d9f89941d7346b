// brindle-cli check: the output format, JSON, exit codes, folders and wildcards.
#include <gtest/gtest.h>

#include <string>

#include "support/RunCommand.h"
#include "support/TempDir.h"

using brindle::test::TempDir;

namespace {

brindle::test::CommandResult run(const std::string& args) {
  return brindle::test::runCommand(std::string(BRINDLE_CLI) + " check " + args);
}

}  // namespace

TEST(CliCheck, PrintsFileLineColumnSeverityAndMessage) {
  TempDir dir;
  dir.write("a.cfg", "// config\r\nsensitivty 2\r\nbind MOUSE1 \"+attack\r\n");
  const auto r = run(dir.file("a.cfg"));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, dir.file("a.cfg") +
                       ":2:1: предупреждение: неизвестная команда или переменная "
                       "«sensitivty»; может быть, «sensitivity»?\n" +
                       dir.file("a.cfg") +
                       ":3:13: ошибка: незакрытая кавычка: игра закончит слово в конце строки\n");
  EXPECT_EQ(r.err, "");
}

TEST(CliCheck, ExitCodesZeroOneTwo) {
  TempDir dir;
  dir.write("clean.cfg", "unbindall\r\nbind MOUSE1 +attack\r\nsensitivity 2\r\n");
  dir.write("warn.cfg", "hud_fastswitch 2\r\n");
  dir.write("bad.cfg", "bind MOUSE9 +attack\r\n");
  EXPECT_EQ(run(dir.file("clean.cfg")).status, 0);
  EXPECT_EQ(run(dir.file("clean.cfg")).out, "");
  EXPECT_EQ(run(dir.file("warn.cfg")).status, 0);  // warnings only
  EXPECT_EQ(run(dir.file("warn.cfg") + " " + dir.file("bad.cfg")).status, 1);
  // An unreadable file: its message on standard error, the others still checked.
  const auto missing = run(dir.file("nothere.cfg") + " " + dir.file("bad.cfg"));
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("nothere.cfg"), std::string::npos);
  EXPECT_NE(missing.out.find("MOUSE9"), std::string::npos);
  EXPECT_EQ(run("").status, 2);
  EXPECT_EQ(run("--format xml " + dir.file("clean.cfg")).status, 2);
}

TEST(CliCheck, JsonCarriesTheSameProblems) {
  TempDir dir;
  dir.write("a.cfg", "bind A \"say \\\"hi\\\"\"\r\n");
  const auto r = run("--format json " + dir.file("a.cfg"));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out.front(), '[');
  EXPECT_NE(r.out.find("{\"file\": \"" + dir.file("a.cfg") +
                       "\", \"line\": 1, \"column\": 6, "
                       "\"length\": 1, \"severity\": \"error\", \"kind\": \"bad-key-name\", "
                       "\"message\": \"«A» — не имя клавиши: буквы пишутся строчными, «a»\"}"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(run("--format=json " + dir.file("a.cfg")).out, r.out);
  dir.write("ok.cfg", "echo fine\r\n");
  EXPECT_EQ(run("--format json " + dir.file("ok.cfg")).out, "[]\n");
}

TEST(CliCheck, FoldersAndWildcardsForAServersConfigs) {
  TempDir dir;
  dir.write("cstrike/server.cfg", "mp_friendlyfire 2\r\n");
  dir.write("cstrike/Listen.CFG", "sv_gravity 800\r\n");
  dir.write("cstrike/notes.txt", "bind MOUSE9 x\r\n");
  const auto folder = run(dir.file("cstrike"));
  EXPECT_EQ(folder.status, 0);
  EXPECT_NE(folder.out.find("server.cfg:1:17: предупреждение"), std::string::npos) << folder.out;
  EXPECT_EQ(folder.out.find("notes.txt"), std::string::npos);
  // A wildcard the shell passed on unexpanded (as the Windows shell does).
  const auto quoted = run("'" + dir.file("cstrike") + "/*.cfg'");
  EXPECT_EQ(quoted.out, folder.out);
  EXPECT_EQ(run("'" + dir.file("cstrike") + "/*.none'").status, 2);
}
