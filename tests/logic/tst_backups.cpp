// Backups of the user's files: what FileIO's writes keep, how many stay, and restoring.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/Backups.h"
#include "core/FileIO.h"
#include "core/LineDiff.h"
#include "core/Settings.h"
#include "game/logic/GameLaunch.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

using namespace brindle::core;
using brindle::test::TempDir;

namespace {

// A program directory with its settings file and the backup hook installed, and a clock that
// moves one second per backup.
class BackupFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    settingsPath = dir.file("prog/Zarurud.INI");
    std::filesystem::create_directories(dir.file("prog"));
    store = installBackups(Settings(settingsPath));
  }
  void TearDown() override { uninstallBackups(); }

  std::vector<std::string> contents(const std::string& original) const {
    std::vector<std::string> out;
    for (const BackupEntry& e : store->backupsOf(original)) out.push_back(store->read(e).data);
    return out;
  }

  TempDir dir;
  std::string settingsPath;
  std::shared_ptr<BackupStore> store;
};

using Contents = std::vector<std::string>;

}  // namespace

TEST_F(BackupFixture, OverwritesKeepThePreviousVersionButNotTheSettingsOrNewFiles) {
  const std::string cfg = dir.file("game/config.cfg");
  std::filesystem::create_directories(dir.file("game"));
  ASSERT_TRUE(writeFileAtomic(cfg, "one\r\n").ok);  // a new file: nothing to keep
  EXPECT_TRUE(store->backupsOf(cfg).empty());
  ASSERT_TRUE(writeFileAtomic(cfg, "two\r\n").ok);
  ASSERT_TRUE(writeFileAtomic(cfg, "two\r\n").ok);  // the same text: no second copy
  ASSERT_TRUE(writeLinesAtomic(cfg, {"three"}).ok);
  EXPECT_EQ(contents(cfg), (Contents{"two\r\n", "one\r\n"}));
  EXPECT_EQ(std::filesystem::path(store->folder()),
            std::filesystem::path(dir.file("prog/backups")));
  EXPECT_EQ(store->backedUpFiles(),
            (Contents{std::filesystem::weakly_canonical(cfg).make_preferred().string()}));

  // The settings file is the program's own.
  Settings settings(settingsPath);
  ASSERT_TRUE(settings.writeString("A", "b", "1").ok);
  ASSERT_TRUE(settings.writeString("A", "b", "2").ok);
  EXPECT_TRUE(store->backupsOf(settingsPath).empty());

  // A rename over a file (the launch sets config.cfg aside as "config") keeps it too.
  const std::string doc = dir.write("game/my.cfg", "bind x y\r\n");
  dir.write("game/config", "older\r\n");
  ASSERT_TRUE(brindle::game::prepareGameLaunch(dir.file("game"), doc).ok);
  EXPECT_EQ(contents(dir.file("game/config")), (Contents{"older\r\n"}));
  EXPECT_EQ(dir.read("game/config"), "three\r\n");
}

TEST_F(BackupFixture, FilesOfOneNameInTwoFoldersKeepSeparateBackups) {
  const std::string a = dir.write("a/config.cfg", "a1");
  const std::string b = dir.write("b/config.cfg", "b1");
  ASSERT_TRUE(writeFileAtomic(a, "a2").ok);
  ASSERT_TRUE(writeFileAtomic(b, "b2").ok);
  EXPECT_EQ(contents(a), (Contents{"a1"}));
  EXPECT_EQ(contents(b), (Contents{"b1"}));
  EXPECT_EQ(store->backedUpFiles().size(), 2u);
#ifndef _WIN32
  // A link to the file shares its backups.
  std::filesystem::create_symlink(a, dir.file("link.cfg"));
  ASSERT_TRUE(writeFileAtomic(dir.file("link.cfg"), "a3").ok);
  EXPECT_EQ(contents(dir.file("link.cfg")), (Contents{"a2", "a1"}));
#endif
}

TEST_F(BackupFixture, LongNamesAndNamesEndingInALineBreakAreSavedAndKept) {
  // 250 bytes of name (125 Cyrillic letters): the save, its backup and its temporary name fit.
  std::string longName;
  for (int i = 0; i < 121; ++i) longName += "\xd1\x8f";
  longName += ".cfg";
  std::vector<std::string> names{longName};
#ifndef _WIN32
  names.push_back("odd.cfg\n");
#endif
  for (const std::string& name : names) {
    const std::string cfg = dir.write("game/" + name, "one\r\n");
    const WriteResult first = writeFileAtomic(cfg, "two\r\n");
    ASSERT_TRUE(first.ok) << name << ": " << first.error;
    ASSERT_TRUE(writeFileAtomic(cfg, "three\r\n").ok) << name;
    EXPECT_EQ(dir.read("game/" + name), "three\r\n");
    EXPECT_EQ(contents(cfg), (Contents{"two\r\n", "one\r\n"})) << name;
    const std::vector<BackupEntry> kept = store->backupsOf(cfg);
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(std::filesystem::path(kept.front().original).filename(),
              std::filesystem::path(cfg).filename());
  }
  EXPECT_EQ(store->backedUpFiles().size(), names.size());
  // Rotation counts them like any other file.
  store->setLimits(BackupLimits{1, kBackupTotalBytes});
  ASSERT_TRUE(writeFileAtomic(dir.file("game/" + names.back()), "four\r\n").ok);
  EXPECT_EQ(contents(dir.file("game/" + names.back())), (Contents{"three\r\n"}));
}

TEST_F(BackupFixture, ABackupThatCannotBeWrittenStopsTheOverwrite) {
  const std::string cfg = dir.write("game/config.cfg", "precious\r\n");
  dir.write("prog/backups", "a file where the folder should be");
  const WriteResult r = writeFileAtomic(cfg, "new\r\n");
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("резервную копию"), std::string::npos) << r.error;
  EXPECT_EQ(dir.read("game/config.cfg"), "precious\r\n");
}

TEST(Backups, KeepTheNewestPerFileAndStayWithinTheTotalOldestFirst) {
  TempDir dir;
  std::int64_t now = 1'700'000'000'000;
  BackupStore store(dir.file("backups"), BackupLimits{3, 25}, [&now] { return now += 1000; });
  const std::string a = dir.write("a.cfg", "a0");
  const std::string b = dir.write("b.cfg", "b-zero-----");  // 11 bytes
  for (const char* v : {"a1", "a2", "a3", "a4"}) {
    ASSERT_TRUE(store.keepBefore(a, std::string_view(v)).ok);
    dir.write("a.cfg", v);
  }
  std::vector<std::string> kept;
  for (const BackupEntry& e : store.backupsOf(a)) kept.push_back(store.read(e).data);
  EXPECT_EQ(kept, (Contents{"a3", "a2", "a1"}));  // a0 went: three per file
  const auto entries = store.backupsOf(a);
  EXPECT_GT(entries[0].timeMs, entries[1].timeMs);
  EXPECT_NE(entries[0].file.find("a_"), std::string::npos);
  EXPECT_EQ(entries[0].file.substr(entries[0].file.size() - 4), ".cfg");

  // 6 bytes of a's backups plus 11 of b's fit in 25; a second 11 does not: a's oldest go.
  ASSERT_TRUE(store.keepBefore(b).ok);
  dir.write("b.cfg", "b-one------");
  ASSERT_TRUE(store.keepBefore(b).ok);
  kept.clear();
  for (const BackupEntry& e : store.backupsOf(a)) kept.push_back(store.read(e).data);
  EXPECT_EQ(kept, (Contents{"a3"}));
  EXPECT_EQ(store.backupsOf(b).size(), 2u);

  // A file larger than the whole allowance is kept alone, never dropped as it is made.
  BackupStore small(dir.file("small"), BackupLimits{3, 4}, [&now] { return now += 1000; });
  ASSERT_TRUE(small.keepBefore(a).ok);
  ASSERT_TRUE(small.keepBefore(b).ok);
  EXPECT_EQ(small.backupsOf(b).size(), 1u);
  EXPECT_TRUE(small.backupsOf(a).empty());  // gone, and its folder with it
  const std::filesystem::directory_iterator folders(dir.file("small"));
  EXPECT_EQ(std::distance(begin(folders), end(folders)), 1);
}

TEST_F(BackupFixture, ARestoreIsItselfKeptSoItCanBeUndone) {
  const std::string cfg = dir.write("game/config.cfg", "v1\r\n");
  ASSERT_TRUE(writeFileAtomic(cfg, "v2\r\n").ok);
  ASSERT_TRUE(writeFileAtomic(cfg, "v3\r\n").ok);
  const auto before = store->backupsOf(cfg);
  ASSERT_EQ(before.size(), 2u);
  ASSERT_TRUE(store->restore(before[1]).ok);  // back to v1
  EXPECT_EQ(dir.read("game/config.cfg"), "v1\r\n");
  EXPECT_EQ(contents(cfg), (Contents{"v3\r\n", "v2\r\n", "v1\r\n"}));
  ASSERT_TRUE(store->restore(store->backupsOf(cfg).front()).ok);  // undo the restore
  EXPECT_EQ(dir.read("game/config.cfg"), "v3\r\n");

  // The number kept per file is a setting.
  Settings settings(settingsPath);
  ASSERT_TRUE(settings.writeString("Backups", "PerFile", "2").ok);
  EXPECT_EQ(backupLimitsFrom(settings).perFile, 2);
  ASSERT_TRUE(settings.writeString("Backups", "PerFile", "0").ok);
  EXPECT_EQ(backupLimitsFrom(settings).perFile, kDefaultBackupsPerFile);
}

TEST(LineDiff, ShowsTheShortestChangeWithContext) {
  using K = DiffLine::Kind;
  const auto render = [](const std::vector<DiffLine>& d) {
    std::string s;
    for (const DiffLine& l : d) {
      const char* mark = l.kind == K::Same      ? " "
                         : l.kind == K::Removed ? "-"
                         : l.kind == K::Added   ? "+"
                                                : "~";
      s += mark + (l.kind == K::Skipped ? std::to_string(l.skipped) : l.text) + "\n";
    }
    return s;
  };
  EXPECT_EQ(render(lineDiff("a\r\nb\r\nc\r\nd\r\n", "a\nx\nc\nd\ne")), " a\n-b\n+x\n c\n d\n+e\n");
  EXPECT_EQ(render(lineDiff("", "")), "");
  EXPECT_EQ(render(lineDiff("x\ny\nz", "")), "-x\n-y\n-z\n");
  // Moved lines: the classic example of the paper, ABCABBA -> CBABAC, five edits.
  const auto split = [](std::string_view s) {
    std::string out;
    for (char c : s) out += std::string(1, c) + "\n";
    return out;
  };
  const auto d = lineDiff(split("ABCABBA"), split("CBABAC"));
  std::size_t edits = 0;
  std::string after, before;
  for (const DiffLine& l : d) {
    if (l.kind != K::Same) ++edits;
    if (l.kind != K::Added) before += l.text;
    if (l.kind != K::Removed) after += l.text;
  }
  EXPECT_EQ(edits, 5u);
  EXPECT_EQ(before, "ABCABBA");
  EXPECT_EQ(after, "CBABAC");
  // Too many changes to search: all old lines out, all new in.
  EXPECT_EQ(render(lineDiff("a\nb", "c\nd", 1)), "-a\n-b\n+c\n+d\n");

  std::string longText;
  for (int i = 0; i < 20; ++i) longText += std::to_string(i) + "\n";
  std::string changed = longText;
  changed.replace(changed.find("10\n"), 3, "ten\n");
  EXPECT_EQ(render(withContext(lineDiff(longText, changed), 2)),
            "~8\n 8\n 9\n-10\n+ten\n 11\n 12\n~7\n");
}

TEST(BackupsCli, CommandsThatOverwriteKeepBackupsThatListAndRestore) {
  // A program directory of its own, so the backups land beside its settings file.
  TempDir dir;
  const std::string cli =
      dir.file("prog/" + std::filesystem::path(BRINDLE_CLI).filename().string());
  std::filesystem::create_directories(dir.file("prog"));
  std::filesystem::copy_file(BRINDLE_CLI, cli);
  const std::string cfg = dir.write("game/cstrike/my.cfg", "name  player;;\r\n");
  const std::string config = dir.write("game/cstrike/config.cfg", "name \"one\"\r\n");
  const std::string cycle = dir.write("game/cstrike/mapcycle.txt", "de_dust\r\n");
  dir.write("game/cstrike/maps/de_nuke.bsp", "");
  using brindle::test::runProgram;
  ASSERT_EQ(runProgram(cli, {"clean", cfg}).status, 0);
  ASSERT_EQ(runProgram(cli, {"settings", config, "--set", "name=two"}).status, 0);
  ASSERT_EQ(runProgram(cli, {"mapcycle", dir.file("game/cstrike"), "--set", "de_nuke"}).status, 0);

  const auto listed = runProgram(cli, {"backups", cfg});
  EXPECT_EQ(listed.status, 0) << listed.err;
  EXPECT_EQ(listed.out.rfind("1  ", 0), 0u) << listed.out;
  EXPECT_NE(listed.out.find("backups"), std::string::npos) << listed.out;
  EXPECT_NE(listed.out.find("my.cfg-"), std::string::npos) << listed.out;
  EXPECT_EQ(runProgram(cli, {"backups", cycle}).status, 0);

  EXPECT_EQ(runProgram(cli, {"restore", config}).status, 0);
  EXPECT_EQ(dir.read("game/cstrike/config.cfg"), "name \"one\"\r\n");
  EXPECT_EQ(runProgram(cli, {"restore", cfg, "1"}).status, 0);
  EXPECT_EQ(dir.read("game/cstrike/my.cfg"), "name  player;;\r\n");
  // The restore was kept as well: restoring the newest copy undoes it.
  EXPECT_EQ(runProgram(cli, {"restore", cfg}).status, 0);
  EXPECT_EQ(dir.read("game/cstrike/my.cfg"), "name player\r\n");

  EXPECT_EQ(runProgram(cli, {"restore", cfg, "9"}).status, 2);
  EXPECT_EQ(runProgram(cli, {"restore", cfg, "x"}).status, 2);
  const auto zero = runProgram(cli, {"restore", cfg, "0"});
  EXPECT_EQ(zero.status, 2);
  EXPECT_NE(zero.err.find("нумеруются с 1"), std::string::npos) << zero.err;
  EXPECT_EQ(runProgram(cli, {"backups", dir.file("none.cfg")}).status, 1);
}
