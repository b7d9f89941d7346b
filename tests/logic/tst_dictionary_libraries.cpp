// Value libraries and MetaBind files: the library-list refresh and the manager's add and
// delete rules.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "dictionary/logic/Libraries.h"
#include "support/TempDir.h"

using namespace brindle;
using namespace brindle::dictionary;

using brindle::test::TempDir;
using namespace brindle::dictionary;

namespace {

using Names = std::vector<std::string>;

}  // namespace

TEST(DictionaryRefresh, ListsEachLibraryOnceComparingNamesExactly) {
  TempDir dir;
  dir.write("dlls/dlz/b.dlz", "x\r\n");
  dir.write("dlls/dlz/a.dlz", "x\r\n");
  dir.write("dlls/dlz/a.pro", "[x]\r\nq=y\r\n");
  dir.write("dlls/dlz/Net.DLZ", "x\r\n");
  std::filesystem::create_directories(dir.file("dlls/dlz/folder.dlz"));

  EXPECT_EQ(librariesToAdd(dir.path(), {}), (Names{"Net", "a", "b"}));
  EXPECT_EQ(librariesToAdd(dir.path(), {"a"}), (Names{"Net", "b"}));
  // Letter case counts in the names: "net" is not "Net".
  EXPECT_EQ(librariesToAdd(dir.path(), {"net", "a", "b"}), (Names{"Net"}));
  // A listed library with an upper-case extension is not added again on the next refresh.
  EXPECT_TRUE(librariesToAdd(dir.path(), {"Net", "a", "b"}).empty());
  // Entries whose files have gone are not the refresh's business.
  EXPECT_TRUE(librariesToAdd(dir.path(), {"Net", "a", "b", "gone"}).empty());

  TempDir empty;
  EXPECT_TRUE(librariesToAdd(empty.path(), {}).empty());
}

TEST(DictionaryRefresh, MetaBindFilesAreListedByFileName) {
  TempDir dir;
  dir.write("DLLS/MetaBinds/jump.mtb", "x\r\n");
  dir.write("DLLS/MetaBinds/Duck.MTB", "x\r\n");
  dir.write("DLLS/MetaBinds/readme.txt", "x\r\n");
  EXPECT_EQ(metaBindsToAdd(dir.path(), {}), (Names{"Duck.MTB", "jump.mtb"}));
  EXPECT_EQ(metaBindsToAdd(dir.path(), {"jump.mtb", "duck.mtb"}), (Names{"Duck.MTB"}));
}

TEST(DictionaryManager, TheDialogsFilterDecidesTheKind) {
  TempDir dir;
  std::filesystem::create_directories(dir.file("dlls/dlz"));
  std::filesystem::create_directories(dir.file("dlls/metabinds"));
  const std::string mtb = dir.write("src/jump.mtb", "bind");
  const std::string dlz = dir.write("src/Net.dlz", "rate 25000\r\n");

  AddPlan plan = planAdd(dir.path(), mtb, 1);  // a MetaBind chosen under the library filter
  ASSERT_TRUE(plan.ok) << plan.error;
  EXPECT_EQ(plan.kind, LibraryKind::ValueLibrary);
  EXPECT_EQ(plan.listEntry, "jump");
  EXPECT_EQ(plan.target, dir.file("dlls/dlz/jump.mtb"));

  plan = planAdd(dir.path(), dlz, 2);
  ASSERT_TRUE(plan.ok);
  EXPECT_EQ(plan.kind, LibraryKind::MetaBind);
  EXPECT_EQ(plan.listEntry, "Net.dlz");
  EXPECT_EQ(plan.target, dir.file("dlls/metabinds/Net.dlz"));

  EXPECT_EQ(planAdd(dir.path(), dir.write("src/.dlz", ""), 1).listEntry, "");
  EXPECT_EQ(libraryNameOf("ab"), "");
}

TEST(DictionaryManager, AddingCopiesWithReplacementAndAFailedCopyIsReported) {
  TempDir dir;
  dir.write("dlls/dlz/Net.dlz", "old\r\n");
  const std::string source = dir.write("src/net-new/Net.dlz", "new\r\n");

  const AddPlan plan = planAdd(dir.path(), source, 1);
  EXPECT_TRUE(performAdd(plan).ok);
  EXPECT_EQ(dir.read("dlls/dlz/Net.dlz"), "new\r\n");
  EXPECT_EQ(dir.read("src/net-new/Net.dlz"), "new\r\n");

  // Copying a library onto itself leaves it whole.
  EXPECT_TRUE(performAdd(planAdd(dir.path(), dir.file("dlls/dlz/Net.dlz"), 1)).ok);
  EXPECT_EQ(dir.read("dlls/dlz/Net.dlz"), "new\r\n");

  // No MetaBind folder: the copy fails and says so.
  const AddResult failed = performAdd(planAdd(dir.path(), dir.write("src/a.mtb", "x"), 2));
  EXPECT_FALSE(failed.ok);
  EXPECT_FALSE(failed.error.empty());
}

TEST(DictionaryManager, PathsOver200CharactersAreRefusedAndNothingIsCopied) {
  TempDir dir;
  std::filesystem::create_directories(dir.file("dlls/dlz"));
  auto sourceOfLength = [&](std::size_t characters, const std::string& filler) {
    // dir + "/" + name + ".dlz", the name made of `filler` (one character each).
    std::string name;
    const std::size_t fixed = dir.path().size() + 1 + 4;
    for (std::size_t i = fixed; i < characters; ++i) name += filler;
    return dir.write(name + ".dlz", "x\r\n");
  };
  // 201 characters refused; Cyrillic letters count as one character each, not two bytes.
  const std::string tooLong = sourceOfLength(201, "s");
  AddPlan plan = planAdd(dir.path(), tooLong, 1);
  EXPECT_FALSE(plan.ok);
  EXPECT_NE(plan.error.find("200"), std::string::npos);
  EXPECT_FALSE(performAdd(plan).ok);
  EXPECT_TRUE(std::filesystem::is_empty(dir.file("dlls/dlz")));

  // A 200-character source is fine as long as the target is short enough too.
  TempDir program;
  std::filesystem::create_directories(program.file("dlls/dlz"));
  const std::string cyrillic = sourceOfLength(program.path().size() + 10 + 100, "ж");
  EXPECT_GT(cyrillic.size(), 200u);  // bytes
  plan = planAdd(program.path(), cyrillic, 1);
  EXPECT_TRUE(plan.ok) << plan.error;

  // The target's length counts as well: a deep program directory refuses a long name.
  const std::string deep = dir.path() + "/" + std::string(150, 'd');
  std::filesystem::create_directories(deep + "/dlls/dlz");
  plan = planAdd(deep, dir.write(std::string(60, 'n') + ".dlz", "x"), 1);
  EXPECT_FALSE(plan.ok);
  EXPECT_NE(plan.error.find(deep), std::string::npos);
  EXPECT_FALSE(performAdd(plan).ok);
  EXPECT_TRUE(std::filesystem::is_empty(deep + "/dlls/dlz"));
}

TEST(DictionaryManager, DeletingTakesTheListFileOnly) {
  TempDir dir;
  dir.write("dlls/dlz/Net.dlz", "x\r\n");
  dir.write("dlls/dlz/Net.pro", "[x]\r\nq=y\r\n");
  dir.write("dlls/metabinds/jump.mtb", "x\r\n");

  RemoveResult r = removeValueLibrary(dir.path(), "Net");
  EXPECT_TRUE(r.removeEntry);
  EXPECT_FALSE(std::filesystem::exists(dir.file("dlls/dlz/Net.dlz")));
  EXPECT_TRUE(std::filesystem::exists(dir.file("dlls/dlz/Net.pro")));

  EXPECT_TRUE(removeMetaBind(dir.path(), "JUMP.MTB").removeEntry);
  EXPECT_FALSE(std::filesystem::exists(dir.file("dlls/metabinds/jump.mtb")));

  // Already gone: the entry just goes.
  EXPECT_TRUE(removeValueLibrary(dir.path(), "Net").removeEntry);
  // Something that cannot be deleted keeps its entry and says why.
  std::filesystem::create_directories(dir.file("dlls/dlz/Stuck.dlz/inside"));
  r = removeValueLibrary(dir.path(), "Stuck");
  EXPECT_FALSE(r.removeEntry);
  EXPECT_NE(r.error.find("Stuck.dlz"), std::string::npos);
}

TEST(DictionaryManager, NoNameReachesOutsideTheLibraryFolders) {
  TempDir dir;
  dir.write("dlls/Metabinds/jump.mtb", "x");
  dir.write("dlls/dlz/Net.dlz", "x");
  const std::string victim = dir.write("victim.txt", "keep me");
  const std::string nested = dir.write("dlls/victim.dlz", "keep me too");
  for (const char* name : {"..\\..\\victim.txt", "../../victim.txt", "..", "a/b.mtb", ""}) {
    const RemoveResult r = removeMetaBind(dir.path(), name);
    EXPECT_FALSE(r.removeEntry) << name;
    EXPECT_FALSE(r.error.empty()) << name;
  }
  EXPECT_FALSE(removeValueLibrary(dir.path(), "..\\victim").removeEntry);
  EXPECT_FALSE(removeValueLibrary(dir.path(), "../victim").removeEntry);
  EXPECT_EQ(dir.read("victim.txt"), "keep me");
  EXPECT_EQ(dir.read("dlls/victim.dlz"), "keep me too");
  // Plain names still work.
  EXPECT_TRUE(removeMetaBind(dir.path(), "jump.mtb").removeEntry);
  EXPECT_FALSE(std::filesystem::exists(dir.file("dlls/Metabinds/jump.mtb")));
  (void)victim;
  (void)nested;
}
