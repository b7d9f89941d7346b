// Lines, the CP1251 codec, atomic writes and case-insensitive data paths.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#endif

#include <filesystem>

#include "core/Cp1251.h"
#include "core/DataLayout.h"
#include "core/DataPaths.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "support/TempDir.h"

using namespace brindle::core;

using namespace brindle;
using brindle::test::TempDir;

TEST(Lines, EveryKindOfBreakEndsALineAndAFinalBreakAddsNone) {
  EXPECT_EQ(splitLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(splitLines("a\r\nb\r\n"), splitLines("a\r\nb"));
  EXPECT_EQ(splitLines("\r\n\r\n"), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(splitLines("\n\r"), (std::vector<std::string>{"", ""}));  // LF then lone CR
  EXPECT_TRUE(splitLines("").empty());
  EXPECT_EQ(joinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(normalizeBreaks("a\nb\rc\r\nd\n\r"), "a\r\nb\r\nc\r\nd\r\n\r\n");
}

TEST(Codepage, AllByteValuesSurviveTheRoundTripThroughUnicode) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(core::fromUtf8(core::toUtf8(all)), all);
  for (int b = 0; b < 256; ++b)
    EXPECT_EQ(core::fromUnicode(core::toUnicode(static_cast<unsigned char>(b))), b) << b;
  EXPECT_EQ(core::toUtf8("\xcf\xf0\xe8\xe2\xe5\xf2"), "Привет");
  EXPECT_EQ(core::toUnicode(0x98), U'\u0098');
  EXPECT_EQ(core::fromUtf8("a\xe2\x82\xac\xf0\x9f\x98\x80"
                           "b"),
            "a\x88?b");                         // euro, emoji
  EXPECT_EQ(core::fromUtf8("\xff\xc3"), "??");  // malformed
}

TEST(Codepage, OverlongFormsSurrogatesAndValuesBeyondUnicodeAreMalformed) {
  EXPECT_EQ(core::fromUtf8("\xc0\xaf"), "??");                    // '/' in two bytes
  EXPECT_EQ(core::fromUtf8("\xe0\x80\xaf"), "???");               // '/' in three bytes
  EXPECT_EQ(core::fromUtf8("\xf0\x80\x80\xaf"), "????");          // '/' in four bytes
  EXPECT_EQ(core::fromUtf8("\xc1\xbf"), "??");                    // U+007F in two bytes
  EXPECT_EQ(core::fromUtf8("\xed\xa0\x80x"), "???x");             // a UTF-16 surrogate
  EXPECT_EQ(core::fromUtf8("\xf4\x90\x80\x80"), "????");          // beyond U+10FFFF
  EXPECT_EQ(core::fromUtf8("\xd0\x96\xe2\x80\xa6"), "\xc6\x85");  // shortest forms still read
}

TEST(Codepage, CaseFoldingCoversCyrillic) {
  EXPECT_TRUE(core::equalsNoCase("CL_BOB", "cl_bob"));
  EXPECT_TRUE(core::equalsNoCase("\xc0\xc1\xa8", "\xe0\xe1\xb8"));  // АБЁ / абё
  EXPECT_FALSE(core::equalsNoCase("cl_bob", "cl_bob "));
}

TEST(AtomicWrite, ReplacesWholeAndLeavesNoTemporaryFiles) {
  TempDir dir;
  const std::string path = dir.write("a.cfg", "old");
  ASSERT_TRUE(writeFileAtomic(path, "new contents").ok);
  EXPECT_EQ(dir.read("a.cfg"), "new contents");
  int files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 1);
}

TEST(FileErrors, TheCommonOnesAreInRussianTheRestAsTheSystemSaysThem) {
  const std::pair<std::errc, const char*> common[] = {
      {std::errc::no_such_file_or_directory, "нет такого файла или папки"},
      {std::errc::permission_denied, "доступ запрещён"},
      {std::errc::is_a_directory, "это папка, а не файл"},
      {std::errc::no_space_on_device, "на диске нет места"},
      {std::errc::read_only_file_system, "диск доступен только для чтения"},
      {std::errc::file_too_large, "файл слишком велик"},
      {std::errc::filename_too_long, "слишком длинное имя файла"}};
  for (const auto& [error, text] : common)
    EXPECT_EQ(systemErrorText(std::make_error_code(error)), text);
  const auto other = std::make_error_code(std::errc::too_many_links);
  EXPECT_EQ(systemErrorText(other), other.message());
  // As a message names them.
  TempDir dir;
  const std::string path = dir.write("a.cfg", "x");
  const FileFault full(FileOperation::Replace, path, std::errc::no_space_on_device);
  const WriteResult r = writeFileAtomic(path, "y");
  EXPECT_EQ(r.error, "Не удаётся создать файл \"" + path + "\": на диске нет места");
}

TEST(AtomicWrite, AFailedReplaceKeepsTheOldFileAndSaysWhy) {
  TempDir dir;
  const std::string path = dir.write("a.cfg", "precious");
  WriteResult r;
  {
    const FileFault denied(FileOperation::Replace, path, std::errc::permission_denied);
    r = writeFileAtomic(path, "replacement");
  }
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find(path), std::string::npos);
  EXPECT_EQ(dir.read("a.cfg"), "precious");
  int files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 1);  // the finished temporary file is gone as well
  EXPECT_TRUE(writeFileAtomic(path, "replacement").ok);  // the fault ended with its scope
}

// A file-size limit (RLIMIT_FSIZE) is POSIX only; Windows has no per-process equivalent.
#ifndef _WIN32
TEST(AtomicWrite, AFullDiskIsReportedAndTheOldFileStaysWhole) {
  TempDir dir;
  const std::string path = dir.write("a.cfg", "precious");
  // A file-size limit makes write() fail part-way, as a full disk does, also for root.
  ::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 4096;
  ::setrlimit(RLIMIT_FSIZE, &small);
  const WriteResult r = writeFileAtomic(path, std::string(100000, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.error.empty());
  EXPECT_EQ(dir.read("a.cfg"), "precious");
  int files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 1);  // the partial temporary file is gone
}
#endif

TEST(AtomicWrite, AnImpossibleTargetIsReported) {
  TempDir dir;
  dir.write("file", "x");
  EXPECT_FALSE(writeFileAtomic(dir.file("file/a.cfg"), "y").ok);  // a file as the folder
  EXPECT_FALSE(writeFileAtomic(dir.path(), "y").ok);              // a folder as the file
}

TEST(ReadFile, DirectoriesMissingFilesAndOversizedFilesAreRefusedWithAReason) {
  TempDir dir;
  const ReadResult folder = readFile(dir.path());
  EXPECT_FALSE(folder.ok);
  EXPECT_NE(folder.error.find("это папка, а не файл"), std::string::npos) << folder.error;
  const ReadResult missing = readFile(dir.file("nope.cfg"));
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.error.find("nope.cfg"), std::string::npos);
  EXPECT_NE(missing.error.find("нет такого файла или папки"), std::string::npos) << missing.error;
  dir.write("big.cfg", std::string(2000, 'x'));
  const ReadResult big = readFile(dir.file("big.cfg"), 1000);
  EXPECT_FALSE(big.ok);
  EXPECT_TRUE(big.data.empty());
  EXPECT_NE(big.error.find("слишком велик (1 КБ); читаются файлы до 1000 байт"), std::string::npos)
      << big.error;
  EXPECT_TRUE(readFile(dir.file("big.cfg"), 2000).ok);
  const std::string nul("a\0b\xff", 4);
  dir.write("bin.cfg", nul);
  EXPECT_EQ(readFile(dir.file("bin.cfg")).data, nul);
}

// Named pipes in the file system (mkfifo) and symbolic links that any user may create are
// POSIX only; Windows reaches pipes through \\.\pipe\ and needs a privilege for links.
#ifndef _WIN32
TEST(ReadFile, ANamedPipeIsRefusedAtOnceInsteadOfWaitingForAWriter) {
  TempDir dir;
  const std::string fifo = dir.file("pipe.cfg");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const ReadResult r = readFile(fifo);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("pipe.cfg"), std::string::npos);
}

TEST(AtomicWrite, ALinkStaysALinkAndItsTargetIsReplaced) {
  TempDir dir;
  dir.write("real/config.cfg", "old");
  std::filesystem::create_symlink(dir.file("real/config.cfg"), dir.file("link.cfg"));
  ASSERT_TRUE(writeFileAtomic(dir.file("link.cfg"), "new").ok);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.cfg")));
  EXPECT_EQ(dir.read("real/config.cfg"), "new");
}
#endif

TEST(CreateEmptyFile, NeverTouchesAnExistingFile) {
  TempDir dir;
  dir.write("x.cfg", "keep");
  EXPECT_FALSE(createEmptyFile(dir.file("x.cfg")).ok);
  EXPECT_EQ(dir.read("x.cfg"), "keep");
  EXPECT_TRUE(createEmptyFile(dir.file("y.cfg")).ok);
  EXPECT_EQ(dir.read("y.cfg"), "");
}

TEST(DataPaths, NamesBelowTheProgramDirectoryIgnoreLetterCase) {
  TempDir dir;
  dir.write("dlls/cvardll/Stcvr.dll", "x");
  const std::string expected = dir.path() + "/dlls/cvardll/Stcvr.dll";
  EXPECT_EQ(resolveDataPath(dir.path(), "DLLS\\CVARDLL\\STCVR.DLL"), expected);
  EXPECT_EQ(resolveDataPath(dir.path() + "/", "dlls\\cvardll\\Stcvr.dll"), expected);
  EXPECT_EQ(resolveDataPath(dir.path(), "dlls/Missing/File.txt"),
            dir.path() + "/dlls/Missing/File.txt");
}

TEST(DataPaths, ListingMatchesTheExtensionWithoutCaseAndSkipsFolders) {
  TempDir dir;
  dir.write("dlz/b.dlz", "");
  dir.write("dlz/A.DLZ", "");
  dir.write("dlz/c.pro", "");
  std::filesystem::create_directories(dir.path() + "/dlz/d.dlz");
  EXPECT_EQ(listFiles(dir.path() + "/dlz", ".dlz"), (std::vector<std::string>{"A.DLZ", "b.dlz"}));
  EXPECT_TRUE(listFiles(dir.path() + "/none", ".dlz").empty());
}

TEST(DataLayout, OnlyPlainFileNamesResolveBelowTheDataFolders) {
  EXPECT_TRUE(isPlainFileName("jump.mtb"));
  for (std::string_view bad : std::initializer_list<std::string_view>{
           "", ".", "..", "a/b", "a\\b", "..\\x", std::string_view("a\0b", 3)})
    EXPECT_FALSE(isPlainFileName(bad));
  TempDir dir;
  dir.write("DLLS/Dlz/Net.DLZ", "x");
  const DataLayout data(dir.path());
  EXPECT_EQ(data.libraryFile("net.dlz"), dir.path() + "/DLLS/Dlz/Net.DLZ");
  EXPECT_FALSE(data.metaBindFile("..\\..\\victim.txt"));
  EXPECT_FALSE(data.helpPage("../Zarurud.INI"));
  EXPECT_FALSE(data.picture("../../x"));
}
