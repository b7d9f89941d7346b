// The data that ships beside the program: every list, every explanation, every picture file
// and the form of every text file. (The pictures are decoded by a window test.)
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "core/Cp1251.h"
#include "core/DataPaths.h"
#include "core/FileIO.h"
#include "core/Ini.h"
#include "core/Text.h"
#include "dictionary/logic/ListFiles.h"

using namespace brindle::core;
using namespace brindle::dictionary;

using namespace brindle;
namespace fs = std::filesystem;

namespace {

const std::string kData = BRINDLE_DATA_DIR;

std::string readAll(const std::string& path) {
  const ReadResult r = readFile(path);
  EXPECT_TRUE(r.ok) << r.error;
  return r.data;
}

std::string utf8(std::string_view cp1251) { return core::toUtf8(cp1251); }

struct NamedList {
  std::string name;  // "CMD Weapons"
  std::string path;
  std::vector<std::string> entries;
};

std::vector<NamedList> allLists() {
  std::vector<NamedList> out;
  for (const dictionary::ListTab tab : {dictionary::ListTab::Cmd, dictionary::ListTab::Cvar})
    for (const auto& e : dictionary::listTable(tab)) {
      NamedList l;
      l.name =
          std::string(tab == dictionary::ListTab::Cmd ? "CMD " : "CVAR ") + std::string(e.caption);
      l.path = *dictionary::listPath(kData, tab, e.caption);
      const dictionary::ListReadResult r = dictionary::readListFile(l.path);
      if (r.ok) l.entries = r.entries;
      out.push_back(std::move(l));
    }
  return out;
}

// dlls/ans1.pro, or while its parts are still being written, the parts together.
std::string generalExplanations() {
  const std::string merged = resolveDataPath(kData, "dlls\\ans1.pro");
  if (fileExists(merged)) return readAll(merged);
  std::vector<std::string> parts;
  const std::string stage = kData + "/stage";
  for (const auto& name : listFiles(stage, ".pro")) parts.push_back(stage + "/" + name);
  std::string text;
  for (const auto& p : parts) text += normalizeBreaks(readAll(p)) + "\r\n";
  return text;
}

// The names of the sections of an explanation file, with how often each occurs (letter case
// ignored, as the lookup ignores it).
std::map<std::string, int> sectionCounts(std::string_view text) {
  std::map<std::string, int> counts;
  for (const auto& line : splitLines(text)) {
    const std::string t = trim(line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') continue;
    std::string name = trim(std::string_view(t).substr(1, t.size() - 2));
    for (char& c : name) c = static_cast<char>(core::toLower(static_cast<unsigned char>(c)));
    ++counts[name];
  }
  return counts;
}

// Whether a value counts as a real explanation.
::testing::AssertionResult explained(const IniDocument& doc, const std::string& entry) {
  const auto v = doc.value(entry, "q");
  if (!v) return ::testing::AssertionFailure() << "no explanation";
  if (v->empty() || *v == "????") return ::testing::AssertionFailure() << "empty or ????";
  return ::testing::AssertionSuccess();
}

// A text that is valid UTF-8 and uses bytes above 127 was written in UTF-8 and never converted.
bool validUtf8WithHighBytes(std::string_view s) {
  bool high = false;
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    high = true;
    const std::size_t n = (c & 0xE0) == 0xC0   ? 1
                          : (c & 0xF0) == 0xE0 ? 2
                          : (c & 0xF8) == 0xF0 ? 3
                                               : 0;
    if (n == 0 || i + n >= s.size()) return false;
    for (std::size_t k = 1; k <= n; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += n + 1;
  }
  return high;
}

}  // namespace

TEST(ShippedData, EveryListExistsAndHoldsCleanEntries) {
  for (const auto& list : allLists()) {
    SCOPED_TRACE(list.name);
    ASSERT_TRUE(fileExists(list.path)) << list.path;
    EXPECT_FALSE(list.entries.empty());
    std::set<std::string> seen;
    for (const auto& e : list.entries) {
      EXPECT_FALSE(e.empty()) << "an empty line";
      EXPECT_EQ(e, trim(e)) << "blanks around \"" << utf8(e) << "\"";
      EXPECT_TRUE(seen.insert(e).second) << "twice: " << utf8(e);
    }
  }
}

TEST(ShippedData, EveryListEntryHasARealExplanation) {
  const std::string text = generalExplanations();
  ASSERT_FALSE(text.empty()) << "no dlls/ans1.pro and no stage/ans1-*.pro";
  const IniDocument ans1(text);
  for (const auto& list : allLists())
    for (const auto& e : list.entries)
      EXPECT_TRUE(explained(ans1, e)) << list.name << ": " << utf8(e);
}

TEST(ShippedData, ExplanationFilesHoldEachSectionOnceWithAShortQ) {
  std::vector<std::pair<std::string, std::string>> files = {{"ans1", generalExplanations()}};
  const std::string ans2 = resolveDataPath(kData, "dlls\\ans2.pro");
  if (fileExists(ans2)) files.emplace_back("ans2.pro", readAll(ans2));
  for (const auto& name : listFiles(resolveDataPath(kData, "dlls\\dlz"), ".pro"))
    files.emplace_back(name, readAll(resolveDataPath(kData, "dlls\\dlz\\" + name)));
  for (const auto& [name, text] : files) {
    SCOPED_TRACE(name);
    const IniDocument doc(text);
    for (const auto& [section, count] : sectionCounts(text)) {
      EXPECT_EQ(count, 1) << "section [" << utf8(section) << "]";
      const auto q = doc.value(section, "q");
      ASSERT_TRUE(q) << "[" << utf8(section) << "] has no q";
      EXPECT_LE(q->size(), kIniMaxValue) << utf8(section);
    }
  }
}

TEST(ShippedData, EveryWeaponAndBuyPageItemHasAPicture) {
  std::vector<std::string> pictures;
  for (const auto& list : allLists())
    if (list.name == "CMD Weapons")
      for (const auto& e : list.entries) pictures.push_back(utf8(e));
  EXPECT_FALSE(pictures.empty());
  for (const char* item :
       {"ak47",      "aug",       "m4a1",         "m249",     "p90",   "g3sg1",
        "mac10",     "m3",        "awp",          "mp5navy",  "scout", "sg550",
        "sg552",     "tmp",       "ump45",        "xm1014",   "elite", "deagle",
        "fiveseven", "glock18",   "p228",         "usp",      "kev",   "kevhelmet",
        "flashbang", "hegrenade", "smokegrenade", "defuskid", "night"})
    pictures.push_back(std::string("weapon_") + item);
  for (const auto& name : pictures) {
    const std::string path = resolveDataPath(kData, "dlls\\cvardll\\guns\\" + name + ".jpg");
    ASSERT_TRUE(fileExists(path)) << path;
    const std::string bytes = readAll(path);
    // A JPEG starts with SOI and a marker and ends with EOI; decoding is checked elsewhere.
    ASSERT_GE(bytes.size(), 4u) << path;
    EXPECT_EQ(bytes.substr(0, 3), "\xFF\xD8\xFF") << path;
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\xFF\xD9") << path;
  }
}

TEST(ShippedData, ValueLibrariesAreExplainedByTheirOwnFileOrAns2) {
  const std::string folder = resolveDataPath(kData, "dlls\\dlz");
  const auto libraries = listFiles(folder, ".dlz");
  EXPECT_GE(libraries.size(), 4u);
  const std::string ans2Path = resolveDataPath(kData, "dlls\\ans2.pro");
  const IniDocument ans2(fileExists(ans2Path) ? readAll(ans2Path) : std::string());
  for (const auto& file : libraries) {
    SCOPED_TRACE(file);
    const std::string name = file.substr(0, file.size() - 4);
    const std::string proPath = resolveDataPath(kData, "dlls\\dlz\\" + name + ".pro");
    const IniDocument own(fileExists(proPath) ? readAll(proPath) : std::string());
    const dictionary::ListReadResult list = dictionary::readListFile(folder + "/" + file);
    ASSERT_TRUE(list.ok);
    EXPECT_FALSE(list.entries.empty());
    for (const auto& e : list.entries) {
      EXPECT_FALSE(e.empty()) << "an empty line";
      EXPECT_TRUE(explained(own, e) || explained(ans2, e)) << utf8(e);
    }
  }
}

TEST(ShippedData, EveryTextFileIsCp1251WithCrLfBreaks) {
  int checked = 0;
  // The program reads these folders as CP1251. (The help pages are HTML opened by a browser,
  // which follows the character set they declare, so they are not checked here.)
  for (const char* top : {"dlls", "stage", "words"}) {
    const fs::path root = fs::path(kData) / top;
    if (!fs::exists(root)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
      if (!entry.is_regular_file()) continue;
      const std::string ext = core::asciiLower(entry.path().extension().string());
      if (ext == ".jpg" || ext == ".jpeg" || ext == ".png" || ext == ".bmp" || ext == ".gif")
        continue;
      const std::string where = fs::relative(entry.path(), kData).string();
      SCOPED_TRACE(where);
      const std::string bytes = readAll(entry.path().string());
      ++checked;
      std::size_t bad = std::string::npos;
      for (std::size_t i = 0; i < bytes.size() && bad == std::string::npos; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        const bool control = c < 0x20 && c != '\t' && c != '\r' && c != '\n';
        const bool loneCr = c == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n');
        const bool loneLf = c == '\n' && (i == 0 || bytes[i - 1] != '\r');
        // 0x98 is the one byte the code page leaves unassigned.
        if (control || loneCr || loneLf || c == 0x98) bad = i;
      }
      EXPECT_EQ(bad, std::string::npos)
          << "byte " << bad << " (NUL, control, 0x98 or a lone CR/LF)";
      if (!bytes.empty()) {
        EXPECT_EQ(bytes.substr(bytes.size() - std::min<std::size_t>(2, bytes.size())), "\r\n")
            << "no final CR LF";
      }
      EXPECT_FALSE(validUtf8WithHighBytes(bytes)) << "UTF-8 text, not converted to CP1251";
    }
  }
  EXPECT_GT(checked, 16);
}
