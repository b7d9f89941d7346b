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

// The first word of every entry of a tab's lists.
void addFirstWords(const std::string& programDir, ListTab tab, std::vector<std::string>& out,
                   core::NameSet& seen) {
  for (const auto& entry : listTable(tab)) {
    const auto path = listPath(programDir, tab, entry.caption);
    if (!path) continue;
    const ListReadResult list = readListFile(*path);
    if (!list.ok) continue;
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

}  // namespace

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
  addFirstWords(programDir, ListTab::Cmd, words.commands, seenCommands);
  addFirstWords(programDir, ListTab::Cvar, words.variables, seenVariables);
  const auto texts = explanations(core::DataLayout(programDir).mainExplanations());
  for (const std::string& v : words.variables) {
    const auto it = texts.find(v);
    if (it != texts.end() && describesSwitch(it->second)) words.switches.push_back(v);
  }
  return words;
}

}  // namespace brindle::dictionary
