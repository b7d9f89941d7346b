#include "dictionary/logic/KnownWords.h"

#include <algorithm>
#include <set>
#include <unordered_map>

#include "core/DataLayout.h"
#include "core/DataPaths.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "dictionary/logic/Explanations.h"
#include "dictionary/logic/ListFiles.h"

namespace brindle::dictionary {

namespace {

// The first word of every entry of a tab's lists; lists that cannot be read are named in
// `missing`.
void addFirstWords(const std::string& programDir, ListTab tab, std::vector<std::string>& out,
                   core::NameSet& seen, std::vector<std::string>& missing) {
  for (const auto& entry : listTable(tab)) {
    const auto path = listPath(programDir, tab, entry.caption);
    if (!path) continue;
    const ListReadResult list = readListFile(*path);
    if (!list.ok) {
      missing.push_back(core::DataLayout(programDir).relativeName(*path));
      continue;
    }
    for (const std::string& e : list.entries) {
      const std::string trimmed = core::trim(e);
      const std::string word = trimmed.substr(0, trimmed.find_first_of(" \t"));
      if (!word.empty() && seen.insert(word).second) out.push_back(word);
    }
  }
}

core::WordSide sideOf(std::string_view text) {
  if (text == "client") return core::WordSide::Client;
  if (text == "server") return core::WordSide::Server;
  if (text == "both") return core::WordSide::Both;
  return core::WordSide::Unknown;
}

// The fields of a tab-separated row, into `out`.
void fields(std::string_view line, std::vector<std::string_view>& out) {
  out.clear();
  std::size_t from = 0;
  while (true) {
    const auto tab = line.find('\t', from);
    out.push_back(line.substr(from, tab == std::string_view::npos ? tab : tab - from));
    if (tab == std::string_view::npos) break;
    from = tab + 1;
  }
}

}  // namespace

bool readWordFile(const std::string& path, core::KnownWords& words) {
  const core::ReadResult file = core::readFile(path);
  if (!file.ok) return false;
  // Read at every start: the lines are taken as views of the file, without copies.
  const std::string_view text = file.data;
  std::size_t at = 0;
  auto nextLine = [&text, &at]() {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    std::string_view line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    at = end + 1;
    return line;
  };
  auto isComment = [](std::string_view line) {
    return !line.empty() && line.front() == '#' && line.substr(0, 2) != "#\t";
  };
  // The header: the '#' lines at the top, one of them naming a source.
  bool sourced = false;
  std::size_t rows = at;
  while (at < text.size()) {
    const std::string_view line = nextLine();
    if (!isComment(line)) break;
    if (line.substr(0, 10) == "# source: ") sourced = true;
    rows = at;
  }
  if (!sourced) return false;
  at = rows;
  words.base.reserve(
      words.base.size() +
      static_cast<std::size_t>(std::count(text.begin() + static_cast<long>(at), text.end(), '\n')));
  std::vector<std::string_view> f;
  while (at < text.size()) {
    const std::string_view line = nextLine();
    // A comment; "#<TAB>" starts the row of the key "#".
    if (line.empty() || isComment(line)) continue;
    fields(line, f);
    if (f.size() != 5 || f[0].empty()) continue;
    if (f[1] == "key") {
      words.keyNames.emplace_back(f[0]);
      continue;
    }
    if (f[1] != "cmd" && f[1] != "var") continue;
    core::WordInfo& w = words.base.emplace_back();
    w.name = std::string(f[0]);
    w.command = f[1] == "cmd";
    w.variable = f[1] == "var";
    w.origin = std::string(f[2]);
    w.side = sideOf(f[3]);
    w.values = core::ValueRule::parse(f[4]);
  }
  return true;
}

core::KnownWords readKnownWords(const std::string& programDir) {
  core::KnownWords words;
  core::NameSet seenCommands;
  core::NameSet seenVariables;
  addFirstWords(programDir, ListTab::Cmd, words.commands, seenCommands, words.missing);
  addFirstWords(programDir, ListTab::Cvar, words.variables, seenVariables, words.missing);
  const core::DataLayout data(programDir);

  // The files the word base always has, in their order (the first file naming a word gives its
  // origin), then those of further plugins by name. The folder is listed once; names match
  // without regard to case, an exact match first.
  const std::string folder = core::withSeparator(data.wordFolder());
  std::vector<std::string> present = core::listFiles(folder, ".tsv");
  std::vector<bool> done(present.size(), false);
  auto readAt = [&](std::size_t i) {
    done[i] = true;
    if (!readWordFile(folder + present[i], words))
      words.missing.push_back(data.relativeName(folder + present[i]));
  };
  for (const std::string_view name : core::DataLayout::wordFiles()) {
    std::size_t found = present.size();
    for (std::size_t i = 0; i < present.size(); ++i) {
      if (present[i] == name) {
        found = i;
        break;
      }
      if (found == present.size() && core::sameName(present[i], name)) found = i;
    }
    if (found < present.size())
      readAt(found);
    else
      words.missing.push_back(data.relativeName(folder + std::string(name)));
  }
  for (std::size_t i = 0; i < present.size(); ++i)
    if (!done[i]) readAt(i);
  return words;
}

}  // namespace brindle::dictionary
