// The dictionary's logic: list files, the explanation lookup and the insertion texts.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Cp1251.h"
#include "core/FileIO.h"
#include "core/Insertion.h"
#include "dictionary/logic/Explanations.h"
#include "dictionary/logic/ListFiles.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

using namespace brindle;
using namespace brindle::core;
using namespace brindle::dictionary;

using brindle::test::TempDir;
using namespace brindle::dictionary;

namespace {

using Entries = std::vector<std::string>;

std::string cp(std::string_view utf8) { return brindle::core::fromUtf8(utf8); }

}  // namespace

// ---------------------------------------------------------------- list files

TEST(DictionaryLists, EveryLineIsAnEntryExactlyAsWritten) {
  EXPECT_EQ(listEntries("a\r\n\r\n b \r\n\tc"), (Entries{"a", "", " b ", "\tc"}));
  // Lone CR and lone LF end lines too; CR LF is one break, LF CR two.
  EXPECT_EQ(listEntries("a\rb\nc\r\nd\n\re"), (Entries{"a", "b", "c", "d", "", "e"}));
}

TEST(DictionaryLists, AFinalBreakAddsNoEntry) {
  EXPECT_EQ(listEntries("x\r\ny"), listEntries("x\r\ny\r\n"));
  EXPECT_EQ(listEntries("x\r\ny\n"), (Entries{"x", "y"}));
  EXPECT_TRUE(listEntries("").empty());
  EXPECT_EQ(listEntries("\r\n"), (Entries{""}));
  EXPECT_EQ(listEntries("x\r\n\r\n"), (Entries{"x", ""}));
}

TEST(DictionaryLists, ReadingAFileAndFailingToOpenOne) {
  TempDir dir;
  const std::string path = dir.write("dlls/Stcmd.dll", "+attack\r\n" + cp("кл") + " \r\n");
  const ListReadResult ok = readListFile(path);
  ASSERT_TRUE(ok.ok);
  EXPECT_EQ(ok.entries, (Entries{"+attack", cp("кл") + " "}));

  const ListReadResult missing = readListFile(dir.file("dlls/Nope.dll"));
  EXPECT_FALSE(missing.ok);
  EXPECT_TRUE(missing.entries.empty());
  EXPECT_NE(missing.error.find("Nope.dll"), std::string::npos);
  EXPECT_FALSE(readListFile(dir.file("dlls")).ok);  // a folder is no list
}

TEST(DictionaryLists, TabEntriesNameTheirFilesWhateverTheLetterCaseOnDisk) {
  TempDir dir;
  const std::string stcvr = dir.write("DLLS/CvarDll/STCVR.DLL", "sensitivity\r\n");
  const std::string pushki = dir.write("DLLS/pushki.dll", "weapon_ak47\r\n");
  EXPECT_EQ(listPath(dir.path(), ListTab::Cvar, "Standart"), stcvr);
  EXPECT_EQ(listPath(dir.path(), ListTab::Cmd, "Weapons"), pushki);
  // A CMD caption is no CVAR caption and the other way round.
  EXPECT_FALSE(listPath(dir.path(), ListTab::Cvar, "Weapons"));
  EXPECT_FALSE(listPath(dir.path(), ListTab::Cmd, "Voice"));
  EXPECT_EQ(listFileOf(ListTab::Cvar, "sk_(HalfLife)"), "Sk_cvr_hlife.dll");
  EXPECT_EQ(listFileOf(ListTab::Cmd, "(-,+)"), "Pmcmd.dll");
  // A missing file still gets a full path, for the message that names it.
  EXPECT_EQ(*listPath(dir.path(), ListTab::Cmd, "Other"), dir.path() + "/DLLS/Otcmd.dll");
  EXPECT_EQ(listTable(ListTab::Cmd).size(), 5u);
  EXPECT_EQ(listTable(ListTab::Cvar).size(), 11u);

  const std::string net = dir.write("DLLS/DLZ/Net.DLZ", "rate 25000\r\n");
  EXPECT_EQ(libraryListPath(dir.path(), "Net"), net);
}

// ---------------------------------------------------------------- explanation lookup

class DictionaryLookup : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.write("dlls/ans1.pro",
              "[cl_bob]\r\nq=ans1 bob\r\n"
              "[both]\r\nq = from ans1 \r\n"
              "[marked]\r\nq=????\r\n"
              "[libmarked]\r\nq=ans1 libmarked\r\n"
              "[other]\r\na=not the key\r\n" +
                  cp("[Прыжок]\r\nq=Прыжок вверх\r\n"));
    dir.write("dlls/ans2.pro",
              "[only2]\r\nq=from ans2\r\n"
              "[marked]\r\nq=ans2 marked\r\n"
              "[both]\r\nq=ans2 both\r\n");
    dir.write("dlls/dlz/Net.pro",
              "[both]\r\nq=from lib\r\n"
              "[libmarked]\r\nq=????\r\n");
  }
  std::string explain(std::string_view word, std::string_view library = {},
                      bool libraryTab = false) {
    return lookUpExplanation(dir.path(), library, word, "q", libraryTab);
  }
  TempDir dir;
};

TEST_F(DictionaryLookup, OutsideTheLibraryTabOnlyAns1Counts) {
  EXPECT_EQ(explain("cl_bob"), " ans1 bob");
  EXPECT_EQ(explain("both", "Net"), " from ans1");  // a library name alone changes nothing
  EXPECT_EQ(explain("only2"), " ????");             // ans2 only serves the library tab
  EXPECT_EQ(explain("unknown"), " ????");
  EXPECT_EQ(explain("other"), " ????");  // only key q is read
  EXPECT_EQ(explain(""), " ????");
}

TEST_F(DictionaryLookup, OnTheLibraryTabTheLibraryThenAns2ThenAns1) {
  EXPECT_EQ(explain("both", "Net", true), " from lib");
  EXPECT_EQ(explain("only2", "Net", true), " from ans2");
  EXPECT_EQ(explain("cl_bob", "Net", true), " ans1 bob");
  EXPECT_EQ(explain("unknown", "Net", true), " ????");
  // No library chosen: dlls\dlz\.pro does not exist, so ans2 and ans1 decide.
  EXPECT_EQ(explain("both", "", true), " ans2 both");
  EXPECT_EQ(explain("cl_bob", "Missing", true), " ans1 bob");
}

TEST_F(DictionaryLookup, AnExplanationReadingFourQuestionMarksIsMissing) {
  EXPECT_EQ(explain("marked"), " ????");
  EXPECT_EQ(explain("marked", "Net", true), " ans2 marked");
  EXPECT_EQ(explain("libmarked", "Net", true), " ans1 libmarked");
}

TEST_F(DictionaryLookup, NamesAndPathsIgnoreLetterCase) {
  EXPECT_EQ(explain("CL_BOB"), " ans1 bob");
  EXPECT_EQ(explain(cp("пРЫЖОК")), " " + cp("Прыжок вверх"));
  EXPECT_EQ(explain("BOTH", "nET", true), " from lib");

  TempDir upper;
  upper.write("DLLS/ANS1.PRO", "[x]\r\nq=found\r\n");
  upper.write("DLLS/Dlz/NET.Pro", "[y]\r\nq=lib\r\n");
  EXPECT_EQ(lookUpExplanation(upper.path(), "", "X", "Q", false), " found");
  EXPECT_EQ(lookUpExplanation(upper.path(), "net", "y", "q", true), " lib");
}

TEST_F(DictionaryLookup, FilesAreReadAfreshForEveryLookup) {
  EXPECT_EQ(explain("cl_bob"), " ans1 bob");
  dir.write("dlls/ans1.pro", "[cl_bob]\r\nq=changed\r\n");
  EXPECT_EQ(explain("cl_bob"), " changed");
  std::filesystem::remove(dir.file("dlls/ans1.pro"));
  EXPECT_EQ(explain("cl_bob"), " ????");
}

TEST_F(DictionaryLookup, LongExplanationsAreCutAt2047Characters) {
  dir.write("dlls/ans1.pro", "[long]\r\nq=" + std::string(3000, 'a') + "\r\n");
  EXPECT_EQ(explain("long"), " " + std::string(2047, 'a'));
}

TEST_F(DictionaryLookup, AnUnreadableFileKnowsNothingAndSaysWhy) {
  std::vector<std::string> problems;
  {
    const FileFault denied(FileOperation::Read, dir.file("dlls/ans1.pro"),
                           std::errc::permission_denied);
    EXPECT_EQ(lookUpExplanation(dir.path(), "", "cl_bob", "q", false, &problems), " ????");
    // The other files still answer, and ans1.pro is not asked when they do.
    EXPECT_EQ(lookUpExplanation(dir.path(), "Net", "only2", "q", true, &problems), " from ans2");
  }
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("ans1.pro"), std::string::npos) << problems[0];
  EXPECT_NE(problems[0].find("доступ"), std::string::npos) << problems[0];
  // Files that are simply not there are no problem: a library without its own file is usual.
  problems.clear();
  EXPECT_EQ(lookUpExplanation(dir.path(), "Missing", "cl_bob", "q", true, &problems), " ans1 bob");
  EXPECT_TRUE(problems.empty());
}

// ---------------------------------------------------------------- insertion texts

TEST(DictionaryInsertion, QuotedFormsBeforeColumn8AndSemicolonFormsFromIt) {
  struct Case {
    InsertKind kind;
    long column;
    const char* first;
    const char* second;
    const char* text;
    bool caretBack;
  };
  const Case cases[] = {
      {InsertKind::Command, 0, "+jump", "", "+jump ;", false},
      {InsertKind::Command, 12, "+jump", "", "+jump ;", false},
      {InsertKind::Variable, 0, "cl_bob", "", "cl_bob \"\"", true},
      {InsertKind::Variable, 7, "cl_bob", "", "cl_bob \"\"", true},
      {InsertKind::Variable, 8, "cl_bob", "", "cl_bob ;", true},
      {InsertKind::Bind, 0, "MOUSE1", "", "bind \"MOUSE1\" \"\"", true},
      {InsertKind::Bind, 8, "MOUSE1", "", "bind MOUSE1 ;", true},
      {InsertKind::Setinfo, 0, "lefthand", "0", "setinfo \"lefthand\" \"0\"", false},
      {InsertKind::Setinfo, 10, "lefthand", "0", "setinfo lefthand 0;", false},
      {InsertKind::Alias, 7, "go", "", "alias \"go\" \"\"", true},
      {InsertKind::Alias, 8, "go", "", "alias go ;", true},
  };
  for (const Case& c : cases) {
    const Insertion ins = insertionFor(c.kind, c.column, c.first, c.second);
    EXPECT_EQ(ins.text, c.text) << "column " << c.column;
    EXPECT_EQ(ins.caretBack, c.caretBack) << c.text;
  }
  // Entries go in as they are, trailing blank included.
  EXPECT_EQ(insertionFor(InsertKind::Variable, 0, "name ").text, "name  \"\"");
  EXPECT_EQ(insertKindOf(ListKind::Command), InsertKind::Command);
  EXPECT_EQ(insertKindOf(ListKind::Variable), InsertKind::Variable);
}

// ---------------------------------------------------------------- brindle-cli explain

namespace {

using ExplainRun = brindle::test::CommandResult;

// The command looks beside its executable for the data, so it runs from a copy placed in the
// fixture's program directory.
ExplainRun runExplain(const TempDir& dir, std::vector<std::string> args) {
  const std::string exe = dir.file(std::filesystem::path(BRINDLE_CLI).filename().string());
  if (!std::filesystem::exists(exe)) std::filesystem::copy_file(BRINDLE_CLI, exe);
  args.insert(args.begin(), "explain");
  return brindle::test::runProgram(exe, args);
}

}  // namespace

TEST(DictionaryCli, PrintsTheExplanationAsTheWindowShowsItInUtf8) {
  TempDir dir;
  dir.write("dlls/ans1.pro", cp("[cl_bob]\r\nq=Покачивание оружия\r\n[прыжок]\r\nq=Прыжок\r\n"));
  dir.write("dlls/ans2.pro", "[rate 25000]\r\nq=LAN\r\n");
  dir.write("dlls/dlz/Net.pro", "[cl_bob]\r\nq=library text\r\n");

  ExplainRun r = runExplain(dir, {"cl_bob"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, " Покачивание оружия\n");
  EXPECT_EQ(runExplain(dir, {"ПРЫЖОК"}).out, " Прыжок\n");  // UTF-8 in, CP1251 lookup

  r = runExplain(dir, {"unknown"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, " ????\n");

  // --library looks up as the DLZ tab does: the library, ans2, then ans1.
  EXPECT_EQ(runExplain(dir, {"cl_bob", "--library", "Net"}).out, " library text\n");
  EXPECT_EQ(runExplain(dir, {"rate 25000", "--library", "Net"}).out, " LAN\n");
  EXPECT_EQ(runExplain(dir, {"rate 25000"}).out, " ????\n");

  EXPECT_EQ(runExplain(dir, {}).status, 2);
  EXPECT_EQ(runExplain(dir, {"cl_bob", "--library"}).status, 2);
}
