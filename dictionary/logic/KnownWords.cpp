#include "dictionary/logic/KnownWords.h"

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

constexpr char kEmDash = '\x97';  // "—" in CP1251

bool isDigit(char c) { return c >= '0' && c <= '9'; }

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

// Section -> value of key "q" of an explanation file, by the INI reading rules (first section
// and first key win, names without regard to case).
std::unordered_map<std::string, std::string, core::NoCaseHash, core::NoCaseEqual> explanations(
    const std::string& path) {
  std::unordered_map<std::string, std::string, core::NoCaseHash, core::NoCaseEqual> out;
  const core::ReadResult file = core::readFile(path);
  if (!file.ok) return out;
  std::string section;
  bool inSection = false;
  for (const std::string& raw : core::splitLines(file.data)) {
    const std::string line = core::trim(raw);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      section = line.substr(1, line.size() - 2);
      inSection = true;
      continue;
    }
    const auto eq = line.find('=');
    if (!inSection || eq == std::string::npos) continue;
    if (!core::sameName(core::trim(line.substr(0, eq)), kExplanationKey)) continue;
    out.try_emplace(section, core::trim(line.substr(eq + 1)));
  }
  return out;
}

core::WordSide sideOf(std::string_view text) {
  if (text == "client") return core::WordSide::Client;
  if (text == "server") return core::WordSide::Server;
  if (text == "both") return core::WordSide::Both;
  return core::WordSide::Unknown;
}

// The fields of a tab-separated row.
std::vector<std::string_view> fields(std::string_view line) {
  std::vector<std::string_view> out;
  std::size_t from = 0;
  while (true) {
    const auto tab = line.find('\t', from);
    out.push_back(line.substr(from, tab == std::string_view::npos ? tab : tab - from));
    if (tab == std::string_view::npos) break;
    from = tab + 1;
  }
  return out;
}

}  // namespace

bool readWordFile(const std::string& path, core::KnownWords& words) {
  const core::ReadResult file = core::readFile(path);
  if (!file.ok) return false;
  const std::vector<std::string> lines = core::splitLines(file.data);
  // The header: the '#' lines at the top, one of them naming a source.
  bool sourced = false;
  std::size_t i = 0;
  for (; i < lines.size() && !lines[i].empty() && lines[i].front() == '#'; ++i)
    if (lines[i].rfind("# source: ", 0) == 0) sourced = true;
  if (!sourced) return false;
  for (; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty() || line.front() == '#') continue;
    const auto f = fields(line);
    if (f.size() != 5 || f[0].empty()) continue;
    if (f[1] == "key") {
      words.keyNames.emplace_back(f[0]);
      continue;
    }
    if (f[1] != "cmd" && f[1] != "var") continue;
    core::WordInfo w;
    w.name = std::string(f[0]);
    w.command = f[1] == "cmd";
    w.variable = f[1] == "var";
    w.origin = std::string(f[2]);
    w.side = sideOf(f[3]);
    w.values = core::ValueRule::parse(f[4]);
    words.base.push_back(std::move(w));
  }
  return true;
}

bool describesSwitch(std::string_view text) {
  std::set<std::string> values;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!isDigit(text[i]) || (i > 0 && (isDigit(text[i - 1]) || text[i - 1] == '.'))) continue;
    std::size_t j = i;
    while (j < text.size() && (isDigit(text[j]) || text[j] == '.')) ++j;
    std::size_t k = j;
    while (k < text.size() && text[k] == ' ') ++k;
    if (k > j && k < text.size() && text[k] == kEmDash) values.emplace(text.substr(i, j - i));
    i = j;
  }
  return values == std::set<std::string>{"0", "1"};
}

core::KnownWords readKnownWords(const std::string& programDir) {
  core::KnownWords words;
  core::NameSet seenCommands;
  core::NameSet seenVariables;
  addFirstWords(programDir, ListTab::Cmd, words.commands, seenCommands, words.missing);
  addFirstWords(programDir, ListTab::Cvar, words.variables, seenVariables, words.missing);
  const core::DataLayout data(programDir);
  const auto texts = explanations(data.mainExplanations());
  for (const std::string& v : words.variables) {
    const auto it = texts.find(v);
    if (it != texts.end() && describesSwitch(it->second)) words.switches.push_back(v);
  }

  // The files the word base always has, in their order (the first file naming a word gives its
  // origin), then those of further plugins by name.
  core::NameSet read;
  auto readOne = [&](const std::string& path) {
    if (!readWordFile(path, words)) words.missing.push_back(data.relativeName(path));
  };
  for (const std::string_view name : core::DataLayout::wordFiles()) {
    const auto path = data.wordFile(name);
    if (!path) continue;
    readOne(*path);
    read.insert(std::string(name));
  }
  for (const std::string& name : core::listFiles(data.wordFolder(), ".tsv"))
    if (read.insert(name).second) readOne(*data.wordFile(name));
  return words;
}

}  // namespace brindle::dictionary
