// MetaBind files: names, trailer cutting, slot counts, placeholder filling and the library
// folder listing.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "binds/logic/Metabind.h"
#include "core/Cp1251.h"
#include "core/FileIO.h"
#include "support/TempDir.h"

using namespace brindle;
using namespace brindle::core;
using namespace brindle::binds;

namespace brindle {
namespace {

using test::TempDir;

// The example MetaBind: one key for a jump.
constexpr std::string_view kJump = "bind <<1>> +jump\r\n\r\n[MetaBind]\r\nname=J\r\nbut=1\r\n";

TEST(MetabindName, ReadByIniRulesWithErrorAsDefault) {
  EXPECT_EQ(metabindName(kJump), "J");
  const std::string jump = core::fromUtf8("Прыжок");
  EXPECT_EQ(metabindName("x\r\n[METABIND]\r\n  NAME =  " + jump + "  \r\n"), jump);
  EXPECT_EQ(metabindName("x\r\n[MetaBind]\r\nname=\r\nbut=1\r\n"), "");
  EXPECT_EQ(metabindName("x\r\n[MetaBind]\r\nbut=1\r\n"), "error");
  EXPECT_EQ(metabindName("bind a b\r\n"), "error");
  // A header on the first line still names the file: the keys are read regardless.
  EXPECT_EQ(metabindName("[mEtAbInD]\r\nname=First\r\n"), "First");

  EXPECT_TRUE(isListedName("J"));
  EXPECT_TRUE(isListedName(""));
  EXPECT_FALSE(isListedName("error"));
  EXPECT_TRUE(isListedName("Error"));
}

TEST(MetabindTrailer, EachOfTheFourHeaderSpellingsCuts) {
  for (const std::string header : {"[Metabind]", "[MetaBind]", "[metabind]", "[METABIND]"}) {
    const std::string file = "bind <<1>> +jump\r\n\r\n" + header + "\r\nname=J\r\nbut=1\r\n";
    EXPECT_EQ(cutTrailer(file), "bind <<1>> +jump\r\n") << header;
  }
}

TEST(MetabindTrailer, OtherSpellingsAndAFirstLineHeaderCutNothing) {
  const std::string mixed = "bind <<1>> +jump\r\n[METAbind]\r\nname=J\r\nbut=1\r\n";
  EXPECT_EQ(cutTrailer(mixed), mixed);
  const std::string firstLine = "[MetaBind]\r\nname=J\r\nbut=1\r\n";
  EXPECT_EQ(cutTrailer(firstLine), firstLine);
  const std::string none = "bind <<1>> +jump\r\n";
  EXPECT_EQ(cutTrailer(none), none);
  // Without a line break before it the header is not found either.
  const std::string inLine = "echo [MetaBind]\r\n";
  EXPECT_EQ(cutTrailer(inLine), inLine);
}

TEST(MetabindTrailer, SpellingsAreTriedInOrderNotByPosition) {
  // "[Metabind]" is looked for first, so it wins over an earlier "[MetaBind]".
  const std::string file = "a\r\n[MetaBind]\r\nb\r\n[Metabind]\r\nc\r\n";
  EXPECT_EQ(cutTrailer(file), "a\r\n[MetaBind]\r\nb");
}

TEST(MetabindSlots, HighestPlaceholder) {
  EXPECT_EQ(highestPlaceholder("bind <<1>> +jump"), 1);
  EXPECT_EQ(highestPlaceholder("<<3>> <<10>> <<2>>"), 10);
  EXPECT_EQ(highestPlaceholder("no keys"), 0);
  // Not placeholders: leading zeros, zero, out of range, unclosed, empty.
  EXPECT_EQ(highestPlaceholder("<<01>> <<0>> <<256>> <<99999999999999>> <<7> <<>>"), 0);
  EXPECT_EQ(highestPlaceholder("<<255>>"), 255);
  EXPECT_EQ(highestPlaceholder("<<<<4>>>>"), 4);
}

TEST(MetabindSlots, ButWhenValidElseTheHighestPlaceholder) {
  const std::string script = "bind <<1>> a\r\nbind <<3>> b\r\n";
  auto file = [&](std::string_view butLine) {
    return script + "\r\n[MetaBind]\r\nname=X\r\n" + std::string(butLine) + "\r\n";
  };
  EXPECT_EQ(metabindSlotCount(file("but=3"), script), 3);
  EXPECT_EQ(metabindSlotCount(file("but=5"), script), 5);  // a valid count is taken as written
  EXPECT_EQ(metabindSlotCount(file("BUT = 2 "), script), 2);
  EXPECT_EQ(metabindSlotCount(file("but=255"), script), 255);
  // A damaged count never gives 255 phantom slots.
  EXPECT_EQ(metabindSlotCount(file(""), script), 3);
  EXPECT_EQ(metabindSlotCount(file("but="), script), 3);
  EXPECT_EQ(metabindSlotCount(file("but=abc"), script), 3);
  EXPECT_EQ(metabindSlotCount(file("but=2x"), script), 3);
  EXPECT_EQ(metabindSlotCount(file("but=0"), script), 3);
  EXPECT_EQ(metabindSlotCount(file("but=-1"), script), 3);
  EXPECT_EQ(metabindSlotCount(file("but=256"), script), 3);
  EXPECT_EQ(metabindSlotCount(file("but=257"), script), 3);
  EXPECT_EQ(metabindSlotCount("echo hi\r\n\r\n[MetaBind]\r\nname=X\r\n", "echo hi\r\n"), 0);
}

TEST(MetabindFill, EveryOccurrenceAndNoPrefixClash) {
  std::vector<std::string> keys;
  for (int n = 1; n <= 10; ++n) keys.push_back("K" + std::to_string(n));
  EXPECT_EQ(fillPlaceholders("<<1>> <<10>> <<1>> <<2>>", keys), "K1 K10 K1 K2");
  EXPECT_EQ(fillPlaceholders("bind <<1>> +jump\r\n", {"SPACE"}), "bind SPACE +jump\r\n");
  // Placeholders beyond the keys stay as they are.
  EXPECT_EQ(fillPlaceholders("<<1>> <<2>>", {"a"}), "a <<2>>");
  // Key names with characters special elsewhere go in as they are.
  EXPECT_EQ(fillPlaceholders("bind \"<<1>>\" x; bind <<2>> y", {"\\", "'"}),
            "bind \"\\\" x; bind ' y");
  EXPECT_EQ(placeholder(12), "<<12>>");
}

TEST(MetabindFill, ReplaceAllRuleAppliesToOccurrencesMadeByAReplacement) {
  // Replacing the inner "<<1>>" by nothing makes a new "<<1>>", which is replaced too.
  EXPECT_EQ(fillPlaceholders("<<<<1>>1>>", {""}), "");
}

TEST(MetabindLoad, TheExampleFile) {
  TempDir dir;
  const Metabind m = loadMetabind(dir.write("jump.mtb", kJump));
  ASSERT_TRUE(m.ok);
  EXPECT_EQ(m.script, "bind <<1>> +jump\r\n");
  EXPECT_EQ(m.slots, 1);
  EXPECT_EQ(fillPlaceholders(m.script, {"SPACE"}), "bind SPACE +jump\r\n");
}

TEST(MetabindLoad, OtherLineBreaksAreReadAsTheEditorShowsThem) {
  TempDir dir;
  const Metabind m =
      loadMetabind(dir.write("lf.mtb", "bind <<1>> +jump\n<<2>>\n[MetaBind]\nname=J\n"));
  ASSERT_TRUE(m.ok);
  EXPECT_EQ(m.script, "bind <<1>> +jump\r\n<<2>>");
  EXPECT_EQ(m.slots, 2);
}

TEST(MetabindLoad, MissingFileIsAnError) {
  TempDir dir;
  const Metabind m = loadMetabind(dir.file("none.mtb"));
  EXPECT_FALSE(m.ok);
  EXPECT_NE(m.error.find("none.mtb"), std::string::npos) << m.error;
}

TEST(MetabindList, NamedFilesOfTheFolderWhateverItsCase) {
  TempDir dir;
  dir.write("DLLS/MetaBinds/a.mtb", kJump);
  dir.write("DLLS/MetaBinds/B.MTB", "x\r\n[metabind]\r\nname=\r\nbut=1\r\n");
  dir.write("DLLS/MetaBinds/c.mtb", "x\r\n[MetaBind]\r\nname=error\r\nbut=1\r\n");
  dir.write("DLLS/MetaBinds/d.mtb", "x\r\n[MetaBind]\r\nbut=1\r\n");
  dir.write("DLLS/MetaBinds/e.txt", kJump);
  dir.write("DLLS/MetaBinds/f.mtb", "x\r\n[METAbind]\r\nname=Mixed\r\n");
  std::filesystem::create_directory(dir.file("DLLS/MetaBinds/g.mtb"));

  const auto list = listMetabinds(dir.path());
  ASSERT_EQ(list.size(), 3u);
  // Folder listing order: by file name, upper case first.
  EXPECT_EQ(list[0].name, "");
  EXPECT_EQ(list[0].path, dir.file("DLLS/MetaBinds/B.MTB"));
  EXPECT_EQ(list[1].name, "J");
  EXPECT_EQ(list[1].path, dir.file("DLLS/MetaBinds/a.mtb"));
  EXPECT_EQ(list[2].name, "Mixed");
}

TEST(MetabindList, TooBigFilesAndAMissingFolderListNothing) {
  TempDir dir;
  EXPECT_TRUE(listMetabinds(dir.path()).empty());
  // Too big to be read: named, but not listed (the rest of the file is a hole of zeros).
  const std::string big = dir.write("dlls/metabinds/big.mtb", kJump);
  std::filesystem::resize_file(big, kMaxDocumentBytes + 1);
  EXPECT_TRUE(listMetabinds(dir.path()).empty());
}

TEST(MetabindList, UnreadableFilesAreNotListed) {
  TempDir dir;
  dir.write("dlls/metabinds/a.mtb", kJump);
  dir.write("dlls/metabinds/b.mtb", "bind <<1>> +duck\r\n\r\n[MetaBind]\r\nname=D\r\nbut=1\r\n");
  const auto both = listMetabinds(dir.path());
  ASSERT_EQ(both.size(), 2u);
  const FileFault denied(FileOperation::Read, both[0].path, std::errc::permission_denied);
  const auto rest = listMetabinds(dir.path());
  ASSERT_EQ(rest.size(), 1u);
  EXPECT_EQ(rest[0].path, both[1].path);
}

// Not in the Windows build: Wine, which runs it, creates a file in time that grows with the
// number of files already in the folder (it compares each new name with every other without
// regard to letter case), so making the 10,050 files alone takes minutes. The listing is the
// same std::filesystem code on every system.
#ifndef _WIN32
TEST(MetabindList, MoreThanTenThousandFilesAreAllListed) {
  TempDir dir;
  std::filesystem::create_directories(dir.file("dlls/metabinds"));
  constexpr int kFiles = 10'050;
  for (int i = 0; i < kFiles; ++i)
    dir.write("dlls/metabinds/m" + std::to_string(i) + ".mtb",
              "x\r\n[MetaBind]\r\nname=M" + std::to_string(i) + "\r\nbut=0\r\n");
  EXPECT_EQ(listMetabinds(dir.path()).size(), static_cast<std::size_t>(kFiles));
}
#endif

// The MetaBinds that ship with the program.
TEST(MetabindLibrary, EveryShippedMetabindListsAndFillsCompletely) {
  const std::string programDir = BRINDLE_DATA_DIR;
  const auto list = listMetabinds(programDir);
  const auto files =
      std::distance(std::filesystem::directory_iterator(programDir + "/dlls/metabinds"),
                    std::filesystem::directory_iterator());
  EXPECT_GE(list.size(), 12u);
  EXPECT_EQ(static_cast<long>(list.size()), static_cast<long>(files)) << "every file is listed";

  for (const auto& entry : list) {
    SCOPED_TRACE(entry.path);
    EXPECT_FALSE(entry.name.empty());
    const Metabind m = loadMetabind(entry.path);
    ASSERT_TRUE(m.ok) << m.error;
    // The stored count, the placeholders used and the trailer agree.
    const auto raw = std::filesystem::file_size(entry.path);
    EXPECT_LT(m.script.size(), raw) << "the trailer is cut";
    EXPECT_GE(m.slots, 1);
    EXPECT_EQ(m.slots, highestPlaceholder(m.script));
    for (int n = 1; n <= m.slots; ++n)
      EXPECT_NE(m.script.find(placeholder(n)), std::string::npos) << "slot " << n << " unused";

    std::vector<std::string> keys;
    for (int n = 0; n < m.slots; ++n) keys.push_back("F" + std::to_string(n + 1));
    const std::string filled = fillPlaceholders(m.script, keys);
    EXPECT_EQ(filled.find("<<"), std::string::npos) << filled;
    EXPECT_EQ(filled.find(">>"), std::string::npos) << filled;
    // Every line ends with CR LF; the text holds no lone LF or CR.
    for (std::size_t i = 0; i < filled.size(); ++i) {
      if (filled[i] == '\n') {
        EXPECT_TRUE(i > 0 && filled[i - 1] == '\r');
      }
      if (filled[i] == '\r') {
        EXPECT_TRUE(i + 1 < filled.size() && filled[i + 1] == '\n');
      }
    }
  }
}

// What the console of the game makes of the shipped scripts: every line a comment, an `alias`
// or a `bind` with balanced quotes; every "+" alias with its "-" partner, so a released key
// does not leave the action running; every alias the scripts call defined by the script
// itself; alias names within the console's 31 characters.
TEST(MetabindLibrary, ShippedScriptsAreWellFormedForTheConsole) {
  const std::string programDir = BRINDLE_DATA_DIR;
  for (const auto& entry : listMetabinds(programDir)) {
    SCOPED_TRACE(entry.path);
    const Metabind m = loadMetabind(entry.path);
    ASSERT_TRUE(m.ok) << m.error;
    std::vector<std::string> keys;
    for (int n = 0; n < m.slots; ++n) keys.push_back("F" + std::to_string(n + 1));
    const std::string script = fillPlaceholders(m.script, keys);

    std::set<std::string> defined;
    std::set<std::string> called;
    // Words of a command list: "a b;c" gives a, b, c; the word after "alias" is defined.
    const auto readCommands = [&](std::string_view body) {
      std::string word;
      std::vector<std::string> words;
      for (const char c : std::string(body) + ";") {
        if (c == ';' || c == ' ') {
          if (!word.empty()) words.push_back(word);
          word.clear();
          if (c == ';') {
            for (std::size_t i = 0; i < words.size(); ++i) {
              if (words[i] == "alias" && i + 1 < words.size())
                defined.insert(words[i + 1]);
              else
                called.insert(words[i]);
            }
            words.clear();
          }
        } else {
          word += c;
        }
      }
    };
    std::size_t start = 0;
    while (start < script.size()) {
      auto end = script.find("\r\n", start);
      if (end == std::string::npos) end = script.size();
      const std::string line = script.substr(start, end - start);
      start = end + 2;
      if (line.empty() || line.starts_with("//")) continue;
      std::vector<std::string> quoted;
      std::size_t q = 0;
      while ((q = line.find('"', q)) != std::string::npos) {
        const auto close = line.find('"', q + 1);
        ASSERT_NE(close, std::string::npos) << "unbalanced quotes: " << line;
        quoted.push_back(line.substr(q + 1, close - q - 1));
        q = close + 1;
      }
      ASSERT_EQ(quoted.size(), 2u) << line;
      if (line.starts_with("alias \"")) {
        EXPECT_LE(quoted[0].size(), 31u) << line;
        defined.insert(quoted[0]);
        readCommands(quoted[1]);
      } else if (line.starts_with("bind \"")) {
        readCommands(quoted[1]);
      } else {
        ADD_FAILURE() << "neither a comment, an alias nor a bind: " << line;
      }
    }
    for (const auto& name : defined) {
      if (name.starts_with("+")) {
        EXPECT_TRUE(defined.count("-" + name.substr(1))) << name;
      }
      if (name.starts_with("-")) {
        EXPECT_TRUE(defined.count("+" + name.substr(1))) << name;
      }
    }
    for (const auto& name : called) {
      const std::string bare =
          name.starts_with("+") || name.starts_with("-") ? name.substr(1) : name;
      if (bare.starts_with("mb_")) {
        EXPECT_TRUE(defined.count(name)) << "not defined: " << name;
      }
    }
  }
}

}  // namespace
}  // namespace brindle
