// The two layouts: data beside the program (portable), or a program in <prefix>/bin with its
// data in <prefix>/share/brindle and the user's settings, libraries and MetaBinds in the
// user's own folders (installed).
#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "binds/logic/Metabind.h"
#include "core/DataLayout.h"
#include "core/FileIO.h"
#include "core/Settings.h"
#include "dictionary/logic/Libraries.h"
#include "support/TempDir.h"

using namespace brindle;
using brindle::test::TempDir;

namespace {

void setEnvironment(const char* name, const std::string& value) {
#ifdef _WIN32
  _putenv_s(name, value.c_str());
#else
  setenv(name, value.c_str(), 1);
#endif
}

// Puts the variables back as they were when the test ends.
class KeptEnvironment {
 public:
  KeptEnvironment(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      const char* value = std::getenv(name);
      kept_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
  }
  ~KeptEnvironment() {
    for (const auto& [name, value] : kept_) {
#ifdef _WIN32
      _putenv_s(name, value ? value->c_str() : "");
#else
      if (value)
        setenv(name, value->c_str(), 1);
      else
        unsetenv(name);
#endif
    }
  }
  KeptEnvironment(const KeptEnvironment&) = delete;
  KeptEnvironment& operator=(const KeptEnvironment&) = delete;

 private:
  std::vector<std::pair<const char*, std::optional<std::string>>> kept_;
};

// A path with one kind of separator and no "." or ".." in it, to compare paths the program
// made with the test's own on every system.
std::string normal(const std::optional<std::string>& path) {
  if (!path) return "(none)";
  std::string out = core::utf8Of(core::pathFromUtf8(*path).lexically_normal());
  for (char& c : out)
    if (c == '\\') c = '/';
  return out;
}

}  // namespace

TEST(DataLayout, DataBesideTheProgramMakeItPortable) {
  TempDir dir;
  dir.write("DLLS/ans1.pro", "");
  const core::DataLayout data(dir.path());
  EXPECT_FALSE(data.installed());
  EXPECT_EQ(data.settingsFile(), dir.path() + "/Zarurud.INI");
  EXPECT_EQ(data.newMetaBindFile("a.mtb"), dir.path() + "/DLLS/Metabinds/a.mtb");
  EXPECT_EQ(data.libraryFolders().size(), 1U);
  // A folder with no data anywhere names its files where a portable program has them.
  TempDir empty;
  EXPECT_FALSE(core::DataLayout(empty.path()).installed());
}

TEST(DataLayout, AnInstalledProgramKeepsTheUsersFilesInTheUsersFolders) {
  const KeptEnvironment kept{"APPDATA", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "HOME"};
  TempDir prefix;
  TempDir home;
  prefix.write("bin/brindle", "");
  prefix.write("share/brindle/dlls/ans1.pro", "");
  prefix.write("share/brindle/dlls/dlz/net.dlz", "shipped\r\n");
  prefix.write("share/brindle/dlls/metabinds/a.mtb", "x\r\n[MetaBind]\r\nname=Shipped A\r\n");
  prefix.write("share/brindle/dlls/metabinds/b.mtb", "x\r\n[MetaBind]\r\nname=Shipped B\r\n");
#ifdef _WIN32
  setEnvironment("APPDATA", home.path() + "/roaming");
  const std::string config = home.path() + "/roaming/brindle/";
  const std::string own = config;
#else
  setEnvironment("XDG_CONFIG_HOME", home.path() + "/config");
  setEnvironment("XDG_DATA_HOME", home.path() + "/data");
  const std::string config = home.path() + "/config/brindle/";
  const std::string own = home.path() + "/data/brindle/";
#endif
  const std::string programDir = prefix.path() + "/bin/";
  const core::DataLayout data(programDir);
  ASSERT_TRUE(data.installed());
  EXPECT_EQ(normal(data.mainExplanations()),
            normal(prefix.path() + "/share/brindle/dlls/ans1.pro"));
  EXPECT_EQ(normal(data.settingsFile()), normal(config + "Zarurud.INI"));

  // The settings file is written into a configuration folder that was not there.
  core::Settings settings(data.settingsFile());
  ASSERT_TRUE(settings.writeString("Main", "Key", "1").ok);
  EXPECT_EQ(settings.readString("Main", "Key"), "1");

  // An added library lands in the user's folder; the shipped ones stay listed and readable.
  TempDir source;
  const auto plan = dictionary::planAdd(programDir, source.write("mine.dlz", "mine\r\n"), 1);
  ASSERT_TRUE(plan.ok) << plan.error;
  EXPECT_EQ(normal(plan.target), normal(own + "dlls/dlz/mine.dlz"));
  ASSERT_TRUE(dictionary::performAdd(plan).ok);
  EXPECT_EQ(dictionary::librariesToAdd(programDir, {}), (std::vector<std::string>{"net", "mine"}));
  EXPECT_EQ(normal(data.libraryFile("mine.dlz")), normal(own + "dlls/dlz/mine.dlz"));
  EXPECT_EQ(normal(data.libraryFile("net.dlz")),
            normal(prefix.path() + "/share/brindle/dlls/dlz/net.dlz"));

  // A MetaBind of the user's folder takes the place of the shipped one of the same name.
  const auto mtb = dictionary::planAdd(
      programDir, source.write("b.mtb", "y\r\n[MetaBind]\r\nname=Own B\r\n"), 2);
  ASSERT_TRUE(dictionary::performAdd(mtb).ok);
  const auto listed = binds::listMetabinds(programDir);
  ASSERT_EQ(listed.size(), 2U);
  EXPECT_EQ(listed[0].name, "Shipped A");
  EXPECT_EQ(listed[1].name, "Own B");
  EXPECT_EQ(normal(listed[1].path), normal(own + "dlls/Metabinds/b.mtb"));
  EXPECT_EQ(core::readFile(prefix.path() + "/share/brindle/dlls/metabinds/b.mtb").data,
            "x\r\n[MetaBind]\r\nname=Shipped B\r\n");

#ifndef _WIN32
  // Without XDG folders (a relative one does not count) the folders below the home folder.
  setEnvironment("XDG_CONFIG_HOME", "relative");
  setEnvironment("XDG_DATA_HOME", "");
  setEnvironment("HOME", home.path());
  const core::DataLayout plain(programDir);
  EXPECT_EQ(plain.settingsFile(), home.path() + "/.config/brindle/Zarurud.INI");
  EXPECT_EQ(plain.newLibraryFile("a.dlz"), home.path() + "/.local/share/brindle/dlls/dlz/a.dlz");
#endif
}
