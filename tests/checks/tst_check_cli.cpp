// brindle-cli check: the output format, JSON, exit codes, folders and wildcards.
#include <gtest/gtest.h>

#include <filesystem>
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
  EXPECT_NE(
      r.out.find("{\"file\": \"" + dir.file("a.cfg") +
                 "\", \"line\": 1, \"column\": 6, "
                 "\"length\": 1, \"severity\": \"error\", \"kind\": \"bad-key-name\", "
                 "\"message\": \"«A» — клавиша, которой нет на клавиатуре: имя из одного символа "
                 "игра берёт как код этого символа, а клавиатура посылает строчные буквы, так что "
                 "клавиша «a» останется с прежней привязкой; вероятно, имелась в виду клавиша "
                 "«a»\"}"),
      std::string::npos)
      << r.out;
  EXPECT_EQ(run("--format=json " + dir.file("a.cfg")).out, r.out);
  dir.write("ok.cfg", "echo fine\r\n");
  EXPECT_EQ(run("--format json " + dir.file("ok.cfg")).out, "[]\n");
}

TEST(CliCheck, FoldersAndWildcardsForAServersConfigs) {
  TempDir dir;
  dir.write("cstrike/server.cfg", "sv_alltalk 9\r\n");
  dir.write("cstrike/Listen.CFG", "sv_gravity 800\r\n");
  dir.write("cstrike/notes.txt", "bind MOUSE9 x\r\n");
  const auto folder = run(dir.file("cstrike"));
  EXPECT_EQ(folder.status, 0);
  EXPECT_NE(folder.out.find("server.cfg:1:12: предупреждение"), std::string::npos) << folder.out;
  EXPECT_EQ(folder.out.find("notes.txt"), std::string::npos);
  // A wildcard the shell passed on unexpanded (as the Windows shell does).
  const auto quoted = run("'" + dir.file("cstrike") + "/*.cfg'");
  EXPECT_EQ(quoted.out, folder.out);
  EXPECT_EQ(run("'" + dir.file("cstrike") + "/*.none'").status, 2);
}

TEST(CliCheck, KindsGameDirectoriesEncodingsAndMissingData) {
  TempDir dir;
  // A client variable does nothing in a server's config: by the name, or with --kind.
  dir.write("cstrike/server.cfg", "cl_lw 1\r\nexec gone.cfg\r\nexec sub/here.cfg\r\n");
  dir.write("cstrike/sub/here.cfg", "alias x y\r\n");
  dir.write("cstrike/mine.cfg", "cl_lw 1\r\n");
  const auto server = run(dir.file("cstrike/server.cfg"));
  EXPECT_NE(server.out.find("server.cfg:1:1: предупреждение: «cl_lw» — переменная клиента"),
            std::string::npos)
      << server.out;
  // The game directory is the cstrike folder: exec names files relative to it.
  EXPECT_NE(server.out.find("server.cfg:2:6: предупреждение: файла «gone.cfg» нет"),
            std::string::npos);
  EXPECT_EQ(server.out.find("here.cfg"), std::string::npos);
  EXPECT_EQ(run(dir.file("cstrike/mine.cfg")).out, "");
  EXPECT_EQ(run("--kind server " + dir.file("cstrike/mine.cfg")).out,
            run("--kind=server " + dir.file("cstrike/mine.cfg")).out);
  EXPECT_NE(run("--kind server " + dir.file("cstrike/mine.cfg")).out, "");
  EXPECT_EQ(run("--kind admin " + dir.file("cstrike/mine.cfg")).status, 2);
  // --game sets the directory; outside any game's folder a missing file is no finding.
  dir.write("loose/server.cfg", "exec here.cfg\r\n");
  EXPECT_EQ(run(dir.file("loose/server.cfg")).out, "");
  EXPECT_NE(run("--game " + dir.file("cstrike") + " " + dir.file("loose/server.cfg")).out, "");
  // Outside any game's folder, the aliases of the files beside a file count: a published
  // userconfig.cfg beside the binds that use its aliases.
  dir.write("published/userconfig.cfg", "alias buy_ak \"buy; menuselect 4\"\r\n");
  dir.write("published/keys.cfg", "bind F1 buy_ak\r\nbind F2 buy_m4\r\n");
  const std::string keys = run(dir.file("published/keys.cfg")).out;
  EXPECT_EQ(keys.find("buy_ak"), std::string::npos) << keys;
  EXPECT_NE(keys.find("«buy_m4» неизвестна клиенту"), std::string::npos) << keys;
  // In a game folder published without the config.cfg the game writes, userconfig.cfg still runs
  // at start: that config.cfg ends with "exec userconfig.cfg".
  dir.write("cstrike/userconfig.cfg", "alias buy_ak \"buy; menuselect 4\"\r\n");
  dir.write("cstrike/keys.cfg", "bind F1 buy_ak\r\n");
  EXPECT_EQ(run(dir.file("cstrike/keys.cfg")).out, "");
  EXPECT_EQ(run("--game " + dir.file("sub") + " " + dir.file("loose/server.cfg")).status, 2);
  // --game may name the game's folder, which holds cstrike/.
  EXPECT_EQ(run("--game " + dir.path() + " " + dir.file("loose/server.cfg")).out,
            run("--game " + dir.file("cstrike") + " " + dir.file("loose/server.cfg")).out);

  // UTF-8 (with or without a byte-order mark) and CP1251 read alike: columns in characters.
  dir.write("utf8.cfg",
            "\xEF\xBB\xBF// \xD0\xBA\xD0\xBE\xD0\xBD\xD1\x84\xD0\xB8\xD0\xB3\r\n"
            "echo \xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82; nosuch\r\n");
  dir.write("cp1251.cfg",
            "// \xEA\xEE\xED\xF4\xE8\xE3\r\necho \xEF\xF0\xE8\xE2\xE5\xF2; nosuch\r\n");
  const std::string utf8 = run(dir.file("utf8.cfg")).out;
  const std::string cp1251 = run(dir.file("cp1251.cfg")).out;
  EXPECT_NE(utf8.find("utf8.cfg:2:14: замечание"), std::string::npos) << utf8;
  // Compared from after the file name: a Windows path has a drive colon of its own.
  EXPECT_EQ(utf8.substr(utf8.find(".cfg:")), cp1251.substr(cp1251.find(".cfg:")));

  // A program copied without its data says what is missing instead of checking.
  const std::string alone = dir.file("alone/brindle-cli");
  dir.write("alone/brindle-cli", "");
  std::filesystem::copy_file(BRINDLE_CLI, alone, std::filesystem::copy_options::overwrite_existing);
  const auto r = brindle::test::runCommand(alone + " check " + dir.file("cstrike/mine.cfg"));
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("words/engine.tsv"), std::string::npos) << r.err;
}
