// brindle-cli buyscript: the lines of the golden cases on standard output, in UTF-8.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/Cp1251.h"
#include "core/FileIO.h"
#include "support/GoldenBuy.h"
#include "support/RunCommand.h"

using namespace brindle;

namespace {

test::CommandResult run(const std::string& args) {
  return test::runCommand(std::string(BRINDLE_CLI) + " buyscript " + args);
}

std::string quoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

TEST(CliBuyscript, PrintsWhatTheGoldenCasesExpect) {
  for (const auto& c : test::loadGoldenBuyCases()) {
    SCOPED_TRACE(c.name);
    if (std::filesystem::exists(c.dir + "/input.cfg")) continue;  // cases on a working text
    std::string args;
    for (const auto& [name, value] : c.values) args += " --" + name + " " + quoted(value);
    const auto r = run(args);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto expected = core::readFile(c.dir + "/expected.cfg");
    ASSERT_TRUE(expected.ok);
    EXPECT_EQ(r.out, core::toUtf8(expected.data));
  }
}

TEST(CliBuyscript, DefaultModeIsDirectCommands) {
  const auto r = run("--key mouse3 --primary 1 --ammo full-primary");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "alias \"Kav-MOUSE3\" \"ak47;primammo;\"\r\nbind \"mouse3\" \"Kav-MOUSE3\"\r\n");
  // The game's own item names are taken too, and the help lists every item.
  const auto named = run("--key x --equip vesthelm,defuser,nvgs --radio go");
  ASSERT_EQ(named.status, 0) << named.err;
  EXPECT_NE(named.out.find("\"vesthelm;defuser;nvgs;\""), std::string::npos) << named.out;
  const auto help = run("--help");
  EXPECT_EQ(help.status, 0);
  for (const char* item :
       {"2 kevhelmet (Kevlar Vest & Helmet), vesthelm", "6 defuskid", "com_go", "ak47"})
    EXPECT_NE(help.out.find(item), std::string::npos) << item;
}

TEST(CliBuyscript, UnknownKeyItemModeOrOptionFailsWithAMessage) {
  struct Bad {
    const char* args;
    const char* says;
  };
  for (const Bad& b :
       {Bad{"--key MOUSE9", "нет такой клавиши \"MOUSE9\""},
        Bad{"--key x --primary famas", "--primary: нет такого предмета \"famas\""},
        Bad{"--key x --equip kev,hat", "--equip: нет такого предмета \"hat\""},
        Bad{"--key x --equip kev,kevhelmet", "kev и kevhelmet"},
        Bad{"--key x --radio 17", "--radio: нет такого предмета \"17\""},
        Bad{"--key x --mode 1.7", "1.5 или 1.6"}, Bad{"--key x --team a --all b", "только одно"},
        Bad{"--key x --colour red", "неизвестный параметр"},
        Bad{"--primary ak47", "укажите клавишу"}, Bad{"--key", "после --key"}}) {
    SCOPED_TRACE(b.args);
    const auto r = run(b.args);
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_NE(r.err.find(b.says), std::string::npos) << r.err;
  }
  // The offered items name what may be given.
  const auto r = run("--key x --pistol 9");
  EXPECT_NE(r.err.find("2 deagle (Desert Eagle .50)"), std::string::npos) << r.err;
}

}  // namespace
