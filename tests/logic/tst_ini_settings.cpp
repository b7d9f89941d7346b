// The INI rules shared by the settings file, explanation files and MetaBind trailers.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/Ini.h"
#include "core/Settings.h"
#include "support/TempDir.h"

using namespace brindle::core;

using namespace brindle;
using brindle::test::TempDir;

TEST(Ini, NamesIgnoreCaseValuesAreTrimmedAndTheFirstSectionWins) {
  const IniDocument ini(
      "junk=1\r\n[Font]\r\n  NamePr =  Courier New  \r\nSizePr=12\r\n"
      "[font]\r\nSizePr=99\r\n[Q]\r\nq=\"quoted\"\r\nnoequals\r\n");
  EXPECT_EQ(ini.value("FONT", "namepr"), "Courier New");
  EXPECT_EQ(ini.value("font", "SizePr"), "12");
  EXPECT_EQ(ini.value("q", "q"), "quoted");
  EXPECT_FALSE(ini.value("Font", "junk"));
  EXPECT_FALSE(ini.value("Missing", "q"));
}

TEST(Ini, EveryKindOfLineBreakEndsALine) {
  const std::string text = "[a]\rk=cr\n[b]\nk=lf\r\n[c]\r\nk=crlf";
  EXPECT_EQ(iniValue(text, "a", "k"), "cr");
  EXPECT_EQ(iniValue(text, "b", "k"), "lf");
  EXPECT_EQ(iniValue(text, "c", "k"), "crlf");
  EXPECT_EQ(IniDocument(text).text(), "[a]\r\nk=cr\r\n[b]\r\nk=lf\r\n[c]\r\nk=crlf\r\n");
}

TEST(Ini, ALookupSaysWhyTheFileCouldNotBeRead) {
  TempDir dir;
  dir.write("big.pro", "[x]\r\nq=1\r\n");
  EXPECT_EQ(iniLookup(dir.file("big.pro"), "x", "q").value, "1");
  const IniLookup missing = iniLookup(dir.file("none.pro"), "x", "q");
  EXPECT_FALSE(missing.value);
  EXPECT_NE(missing.error.find("none.pro"), std::string::npos);
}

TEST(Ini, ValuesAreCutAt2047Characters) {
  const std::string longValue(3000, 'x');
  const IniDocument ini("[s]\r\nq=" + longValue + "\r\n");
  EXPECT_EQ(ini.value("s", "q")->size(), 2047u);
}

TEST(Ini, SectionNamesMayHoldBracketsAndBlanks) {
  const IniDocument ini("[ [ ]\r\nq=open\r\n[+attack ]\r\nq=fire\r\n");
  EXPECT_EQ(ini.value("[", "q"), "open");
  EXPECT_EQ(ini.value("+attack", "q"), "fire");
}

TEST(Ini, WritingRewritesInPlaceAddsKeysAndSections) {
  IniDocument ini("; top\r\n[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
  ini.setValue("a", "X", "10");
  ini.setValue("A", "new", "n");
  ini.setValue("C", "k", "v");
  EXPECT_EQ(ini.text(),
            "; top\r\n[A]\r\nX=10\r\ny=2\r\nnew=n\r\n\r\n[B]\r\nz=3\r\n\r\n[C]\r\nk=v\r\n");
}

TEST(Settings, AbsentKeysGiveTheSentinelsAndGarbageReadsAsAbsent) {
  TempDir dir;
  Settings s(dir.file("Zarurud.INI"));
  EXPECT_EQ(s.readString("Game", "Catalog"), "error");
  EXPECT_EQ(s.readInt("MainForm", "Left"), -1);
  EXPECT_EQ(s.readInt("MainForm", "Left", 10), 10);

  using namespace std::string_literals;
  dir.write(
      "Zarurud.INI",
      "\x00\xff garbage\r\n[MainForm]\r\nLeft=abc\r\nTop=-1\r\nWidth= 600 \r\nHeight=12x\r\n"s);
  EXPECT_EQ(s.readInt("MainForm", "Left", 10), 10);
  EXPECT_EQ(s.readInt("MainForm", "Top", 10), 10);  // a stored -1 means "use the default"
  EXPECT_EQ(s.readInt("MainForm", "Width", 560), 600);
  EXPECT_EQ(s.readInt("MainForm", "Height", 450), 450);
}

TEST(Settings, WritesCreateTheFileAndSectionsAndReadBack) {
  TempDir dir;
  Settings s(dir.file("Zarurud.INI"));
  ASSERT_TRUE(s.writeInt("Color", "PrEdit", 15247360).ok);
  ASSERT_TRUE(s.writeString("Game", "Catalog", "/games/hl/cstrike").ok);
  ASSERT_TRUE(s.writeInt("Color", "PrEdit", 255).ok);
  EXPECT_EQ(s.readInt("color", "predit"), 255);
  EXPECT_EQ(s.readString("GAME", "catalog"), "/games/hl/cstrike");
  EXPECT_EQ(dir.read("Zarurud.INI"),
            "[Color]\r\nPrEdit=255\r\n\r\n[Game]\r\nCatalog=/games/hl/cstrike\r\n");
}

TEST(Settings, AnUnreadableSettingsFileIsNeverReplaced) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() + "/Zarurud.INI");  // a folder in the way
  Settings s(dir.file("Zarurud.INI"));
  EXPECT_FALSE(s.writeInt("A", "b", 1).ok);
  EXPECT_EQ(s.readInt("A", "b"), -1);
}

TEST(Settings, AValueWithALineBreakIsRefusedAndNeverWritten) {
  TempDir dir;
  Settings s(dir.file("Zarurud.INI"));
  ASSERT_TRUE(s.writeString("Game", "Catalog", "/games/cstrike").ok);
  const std::string before = dir.read("Zarurud.INI");
  for (const char* bad : {"/x\r\n[Color]\r\nPrEdit=1", "/x\ny", "/x\r"}) {
    const WriteResult r = s.writeString("Game", "Catalog", bad);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("Game/Catalog"), std::string::npos) << r.error;
    EXPECT_EQ(dir.read("Zarurud.INI"), before);
  }
  // In a batch the other values are stored and the refused one keeps its stored value.
  Settings::Batch batch;
  batch.set(Setting::GameDirectory, "/new\n[Font]\nSizePr=99");
  batch.set(Setting::FontSize, 12);
  const WriteResult r = s.write(batch);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("перевод строки"), std::string::npos) << r.error;
  EXPECT_EQ(s.readString(Setting::GameDirectory), "/games/cstrike");
  EXPECT_EQ(s.readInt(Setting::FontSize, 0), 12);
  EXPECT_EQ(dir.read("Zarurud.INI").find("99"), std::string::npos);
}

TEST(ParseDecimal, AcceptsOnlyWholeDecimalNumbers) {
  EXPECT_EQ(parseDecimal("42"), 42);
  EXPECT_EQ(parseDecimal("-7"), -7);
  EXPECT_EQ(parseDecimal("+7"), 7);
  EXPECT_FALSE(parseDecimal(""));
  EXPECT_FALSE(parseDecimal("0x10"));
  EXPECT_FALSE(parseDecimal("1.5"));
  EXPECT_FALSE(parseDecimal("99999999999999999999"));
  EXPECT_FALSE(parseDecimal("+-7"));
  EXPECT_FALSE(parseDecimal("-+7"));
  EXPECT_FALSE(parseDecimal("+"));
  EXPECT_FALSE(parseDecimal("-"));
  EXPECT_FALSE(parseDecimal(" 7"));
}
