// The checks over the real-world configs of tests/realworld: every report must be judged (in
// check-judgements.tsv there, or in realworld-new-judgements.tsv here), no report judged false
// may come back and every report judged true must stay. Each config is checked as what it is:
// the files under dirs/ in their own game directory (complete exec chains); a single file in the
// game directory of the repository it comes from, made of the set's files from that repository,
// whose other files the set does not hold (so a missing exec target is no finding there).
// False reports that no rule of the checker can avoid are listed, with the reason, in
// realworld-known-false.tsv; they count in the figures. Prints the reports per kind of config
// and the false ones per 1,000 lines.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/Cp1251.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "dictionary/logic/KnownWords.h"
#include "editor/logic/ConfigCheck.h"
#include "editor/logic/DocumentContext.h"

using namespace brindle;
using namespace brindle::editor;

namespace {

const std::string kRoot = BRINDLE_REALWORLD;

std::vector<std::vector<std::string>> readTsv(const std::string& path) {
  std::vector<std::vector<std::string>> rows;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  std::getline(in, line);  // the header
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f;
    std::stringstream s(line);
    for (std::string cell; std::getline(s, cell, '\t');) f.push_back(cell);
    rows.push_back(std::move(f));
  }
  return rows;
}

std::string readText(const std::string& path) { return core::readFile(path).data; }

// The game directory a repository's files share: the path up to its cstrike folder, or the
// file's own folder.
std::string gameRootOf(const std::string& repoPath) {
  const std::string lower = core::asciiLower(repoPath);
  const std::size_t at = lower.rfind("cstrike/");
  if (at != std::string::npos && (at == 0 || lower[at - 1] == '/'))
    return repoPath.substr(0, at + 8);
  const std::size_t slash = repoPath.rfind('/');
  return slash == std::string::npos ? "" : repoPath.substr(0, slash + 1);
}

// The set's files of one repository's game directory, by their paths there.
class RepositorySource : public FileSource {
 public:
  std::map<std::string, std::string> files;  // chainKey -> local file
  std::optional<std::string_view> read(const std::string& relPath, bool* unreadable) override {
    if (unreadable) *unreadable = false;
    const auto it = files.find(chainKey(relPath));
    if (it == files.end()) return std::nullopt;
    auto [text, added] = texts_.try_emplace(it->second);
    if (added) text->second = readText(kRoot + "/" + it->second);
    return std::string_view(text->second);
  }

 private:
  std::map<std::string, std::string> texts_;
};

struct Report {
  std::string file;
  int line = 0;
  std::string kind;
  std::string word;  // UTF-8: the first «…» of the message, else the text reported
  Severity severity = Severity::Warning;
  std::string message;
};

std::string firstQuoted(const std::string& message) {
  const std::size_t open = message.find("«");
  if (open == std::string::npos) return {};
  const std::size_t from = open + std::string("«").size();
  const std::size_t close = message.find("»", from);
  return close == std::string::npos ? std::string() : message.substr(from, close - from);
}

}  // namespace

TEST(RealWorld, NoFalseReportReturnsAndEveryTrueOneStays) {
  const core::KnownWords words = dictionary::readKnownWords(BRINDLE_DATA_DIR "/");
  ASSERT_TRUE(words.missing.empty());
  const core::Vocabulary vocabulary(words);

  // Where each file lives in its repository.
  std::map<std::string, std::pair<std::string, std::string>> origin;  // local -> repo, path
  {
    std::ifstream in(kRoot + "/SOURCES.md", std::ios::binary);
    for (std::string line; std::getline(in, line);) {
      if (line.rfind("| `", 0) != 0) continue;
      std::vector<std::string> cells;
      std::stringstream s(line);
      for (std::string cell; std::getline(s, cell, '|');) {
        const std::size_t a = cell.find_first_not_of(" `");
        const std::size_t b = cell.find_last_not_of(" `");
        cells.push_back(a == std::string::npos ? "" : cell.substr(a, b - a + 1));
      }
      if (cells.size() > 3) origin[cells[1]] = {cells[2], cells[3]};
    }
  }
  std::map<std::string, RepositorySource> repositories;  // repo + game root
  for (const auto& [local, where] : origin) {
    const std::string root = gameRootOf(where.second);
    repositories[where.first + ":" + root].files[chainKey(where.second.substr(root.size()))] =
        local;
  }

  std::vector<Report> reports;
  std::map<std::string, std::pair<std::size_t, std::size_t>> lines;  // kind -> lines, files
  std::map<std::string, std::string> kindOf;
  for (const auto& row : readTsv(kRoot + "/files.tsv")) {
    const std::string& file = row[0];
    const std::string text = readText(kRoot + "/" + file);
    kindOf[file] = row[1];
    lines[row[1]].first += static_cast<std::size_t>(std::stoul(row[2]));
    ++lines[row[1]].second;
    CheckOptions options;
    // A player's file is whatever the program takes it for (bots.cfg for the player's own
    // games is a server's); servers' and plugins' files as the set files them.
    options.kind = row[1] == "server"   ? ConfigKind::Server
                   : row[1] == "plugin" ? ConfigKind::Plugin
                                        : guessConfigKind(file, text, &vocabulary);
    CheckResult result;
    if (file.rfind("dirs/", 0) == 0) {
      const std::string game = findGameDir(kRoot + "/" + file);
      DiskSource disk(game);
      result =
          checkInChain(text, relativeToGame(game, kRoot + "/" + file), disk, vocabulary, options);
    } else {
      const auto& [repo, path] = origin.at(file);
      const std::string root = gameRootOf(path);
      const std::string rel = path.substr(root.size());
      RepositorySource& source = repositories[repo + ":" + root];
      // The set's files of its folder stand beside it, as on the disk it was published on.
      std::string folder = chainKey(rel.substr(0, rel.rfind('/') + 1));
      if (!folder.empty()) folder += '/';
      std::vector<std::string> beside;
      for (const auto& [key, local] : source.files)
        if (key.rfind(folder, 0) == 0 && key.find('/', folder.size()) == std::string::npos &&
            key != chainKey(rel))
          beside.push_back(key);
      options.gameDirKnown = false;
      options.folderFiles = &beside;
      result = checkInChain(text, rel, source, vocabulary, options);
    }
    for (const Problem& p : result.problems) {
      std::string word = firstQuoted(p.message);
      if (word.empty())
        word = core::toUtf8(
            text.substr(static_cast<std::size_t>(p.offset), static_cast<std::size_t>(p.length)));
      reports.push_back({file, static_cast<int>(p.line), std::string(problemKindName(p.kind)), word,
                         p.severity, p.message});
    }
  }

  // Judgements by file, line and word; the kind must agree (the old on/off check became the
  // check of values).
  struct Judgement {
    std::string kind;
    bool isTrue = false;
    bool knownFalse = false;  // false, and beyond what the checker can know (see the file)
  };
  std::map<std::tuple<std::string, int, std::string>, std::vector<Judgement>> judged;
  for (const std::string& path :
       {kRoot + "/check-judgements.tsv",
        std::string(BRINDLE_CHECKS_DIR) + "/realworld-new-judgements.tsv"})
    for (const auto& r : readTsv(path))
      judged[{r[0], std::stoi(r[1]), r[3]}].push_back({r[2], r[4] == "true", false});
  // False reports the checker cannot avoid: words only a file outside the set names.
  for (const auto& r : readTsv(std::string(BRINDLE_CHECKS_DIR) + "/realworld-known-false.tsv"))
    for (Judgement& j : judged[{r[0], std::stoi(r[1]), r[3]}])
      if (j.kind == r[2] && !j.isTrue) j.knownFalse = true;

  std::map<std::string, std::size_t> trueCount, falseCount, notes;
  std::set<std::tuple<std::string, int, std::string>> reported;
  for (const Report& r : reports) {
    reported.insert({r.file, r.line, r.word});
    const auto it = judged.find({r.file, r.line, r.word});
    const Judgement* j = nullptr;
    if (it != judged.end())
      for (const Judgement& c : it->second)
        if (c.kind == r.kind || (c.kind == "switch-value" && r.kind == "bad-value") ||
            c.kind == "missed")
          j = &c;
    if (!j) {
      ADD_FAILURE() << "a report nobody judged:\n"
                    << r.file << "\t" << r.line << "\t" << r.kind << "\t" << r.word << "\t\t"
                    << r.message;
      continue;
    }
    EXPECT_TRUE(j->isTrue || j->knownFalse) << "a report judged false is back: " << r.file << ":"
                                            << r.line << " " << r.kind << " " << r.word;
    if (!j->isTrue && std::getenv("BRINDLE_LIST_FALSE"))  // for judging a new round of files
      std::printf("false\t%s\t%d\t%s\t%s\n", r.file.c_str(), r.line, r.kind.c_str(),
                  r.word.c_str());
    ++(j->isTrue ? trueCount : falseCount)[kindOf[r.file]];
    if (r.severity == Severity::Note) ++notes[kindOf[r.file]];
  }
  for (const auto& [key, list] : judged)
    for (const Judgement& j : list) {
      if (j.isTrue && j.kind != "missed") {
        EXPECT_TRUE(reported.count(key))
            << "a true report is lost: " << std::get<0>(key) << ":" << std::get<1>(key) << " "
            << j.kind << " " << std::get<2>(key);
      }
    }

  std::printf("%-12s %6s %6s %6s %6s %6s %s\n", "kind", "files", "lines", "true", "false", "notes",
              "false per 1,000 lines");
  for (const auto& [kind, n] : lines)
    std::printf("%-12s %6zu %6zu %6zu %6zu %6zu %.2f\n", kind.c_str(), n.second, n.first,
                trueCount[kind], falseCount[kind], notes[kind],
                1000.0 * static_cast<double>(falseCount[kind]) / static_cast<double>(n.first));
}
