#include "editor/logic/EffectiveConfig.h"

#include <algorithm>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <unordered_map>

#include "core/ConsoleScript.h"
#include "core/Text.h"

namespace brindle::editor {
namespace {

std::string lowered(std::string_view s) { return core::asciiLower(s); }

// Entries sort by name without regard to case; names that differ only in case ("P", "p") by
// their bytes.
bool nameOrder(const EffectiveEntry& a, const EffectiveEntry& b) {
  const std::string la = lowered(a.name);
  const std::string lb = lowered(b.name);
  return la != lb ? la < lb : a.name < b.name;
}

bool exactNames(EntryKind kind) { return kind == EntryKind::Key || kind == EntryKind::Setinfo; }

template <typename List>
auto findIn(List& list, EntryKind kind, std::string_view name) -> decltype(&list.front()) {
  const std::string wanted(kind == EntryKind::Key ? core::keySpelling(name) : std::string(name));
  const std::string low = lowered(wanted);
  auto it = std::lower_bound(
      list.begin(), list.end(), low,
      [](const EffectiveEntry& e, const std::string& n) { return lowered(e.name) < n; });
  for (; it != list.end() && lowered(it->name) == low; ++it)
    if (!exactNames(kind) || it->name == wanted) return &*it;
  return nullptr;
}

// Names of one table of entries, in the order they first appeared. Variables and aliases ignore
// letter case; keys (by core::keySpelling) and user-info keys compare exactly.
class EntryTable {
 public:
  EntryTable(EntryKind kind, bool exact) : kind_(kind), exact_(exact) {}

  std::string keyOf(std::string_view name) const {
    return exact_ ? std::string(name) : lowered(name);
  }
  EffectiveEntry& at(std::string_view name) {
    const std::string key = keyOf(name);
    const auto found = index_.find(key);
    if (found != index_.end()) return entries_[found->second];
    index_.emplace(key, entries_.size());
    EffectiveEntry& e = entries_.emplace_back();
    e.kind = kind_;
    e.name = std::string(name);
    return e;
  }
  EffectiveEntry* find(std::string_view name) {
    const auto found = index_.find(keyOf(name));
    return found == index_.end() ? nullptr : &entries_[found->second];
  }
  // Sets the entry; returns whether it was absent (never set, or removed) before.
  bool set(std::string_view name, Assignment a) {
    EffectiveEntry& e = at(name);
    const bool wasAbsent = e.history.empty() || !e.present();
    e.name = std::string(name);
    e.history.push_back(std::move(a));
    if (wasAbsent) live_.push_back(&e - entries_.data());
    return wasAbsent;
  }
  bool remove(std::string_view name, const SourceLine& at, const char* by) {
    EffectiveEntry* e = find(name);
    if (e == nullptr || e->history.empty() || !e->present()) return false;
    e->history.push_back(Assignment{at, {}, by, {}});
    return true;
  }
  // Removes every present entry; each entry enters the live list once per time it is set
  // while absent, so all clearings together cost no more than all the lines that set them.
  std::size_t removeAll(const SourceLine& at, const char* by) {
    std::size_t removed = 0;
    for (const std::ptrdiff_t i : live_) {
      EffectiveEntry& e = entries_[static_cast<std::size_t>(i)];
      if (!e.present()) continue;
      e.history.push_back(Assignment{at, {}, by, {}});
      ++removed;
    }
    live_.clear();
    return removed;
  }
  std::vector<EffectiveEntry> take() {
    std::vector<EffectiveEntry> out = std::move(entries_);
    std::sort(out.begin(), out.end(), nameOrder);
    return out;
  }

 private:
  EntryKind kind_;
  bool exact_;
  std::vector<EffectiveEntry> entries_;
  std::unordered_map<std::string, std::size_t> index_;
  std::vector<std::ptrdiff_t> live_;
};

std::string joined(std::span<const std::string> via) {
  std::string out;
  for (const std::string& v : via) {
    if (!out.empty()) out += " > ";  // the names are CP1251: an ASCII separator
    out += v;
  }
  return out;
}

class EffectiveBuilder : public RunHandler {
 public:
  explicit EffectiveBuilder(const EffectiveOptions& options) : options_(options) {}

  RunOptions runOptions() const {
    RunOptions r;
    r.isCommand = options_.isCommand;
    r.isVariable = options_.isVariable;
    r.bindsKey = options_.isKey;
    return r;
  }

  void enterFile(const ChainFile& file) override {
    std::vector<std::string>& list = file.conditional ? result_.playFiles : result_.files;
    if (listed_[file.conditional ? 1 : 0].insert(file.path).second) list.push_back(file.path);
  }

  void command(const RanCommand& rc) override {
    if (rc.startup)
      start(rc);
    else
      play(rc);
  }

  void trouble(const RanCommand& at, const ExecLine& exec, ExecTrouble trouble,
               bool quiet) override {
    ChainProblem p;
    switch (trouble) {
      case ExecTrouble::Unreadable:
        p.kind = ChainProblem::Kind::Unreadable;
        break;
      case ExecTrouble::Missing:
        p.kind = ChainProblem::Kind::Missing;
        break;
      case ExecTrouble::Loop:
        p.kind = ChainProblem::Kind::Loop;
        break;
      case ExecTrouble::OverBudget:
        p.kind = ChainProblem::Kind::OverBudget;
        break;
      default:
        p.kind = ChainProblem::Kind::BadName;
        break;
    }
    p.at = SourceLine{std::string(at.file), at.line};
    p.target = exec.target;
    p.quiet = quiet;
    p.exec = exec;
    result_.problems.push_back(std::move(p));
  }

  EffectiveConfig finish() {
    // Files that also run at start are no play-only files.
    std::erase_if(result_.playFiles,
                  [&](const std::string& f) { return listed_[0].count(f) != 0; });
    // Keys resolved one level through the aliases as they stand at the end.
    for (EffectiveEntry& key : keys_.take()) {
      if (key.present()) {
        const std::string first = core::firstCommandOf(key.decisive().value);
        if (const EffectiveEntry* a = aliases_.find(first); a != nullptr && a->present()) {
          key.alias = a->name;
          key.aliasValue = a->decisive().value;
        }
      }
      result_.keys.push_back(std::move(key));
    }
    result_.variables = variables_.take();
    result_.aliases = aliases_.take();
    result_.setinfo = setinfo_.take();
    // The changes of play in the order of the files, then of the lines.
    std::unordered_map<std::string, std::size_t> order;
    for (const std::string& f : result_.files) order.emplace(f, order.size());
    for (const std::string& f : result_.playFiles) order.emplace(f, order.size());
    const auto rank = [&order](const std::string& f) {
      const auto it = order.find(f);
      return it == order.end() ? order.size() : it->second;
    };
    std::stable_sort(result_.duringPlay.begin(), result_.duringPlay.end(),
                     [&](const RuntimeChange& a, const RuntimeChange& b) {
                       const auto ra = rank(a.at.file);
                       const auto rb = rank(b.at.file);
                       return ra != rb ? ra < rb : a.at.line < b.at.line;
                     });
    for (const RuntimeChange& c : result_.duringPlay) mark(c.kind, c.name);
    if (playClearsKeys_)
      for (EffectiveEntry& k : result_.keys) k.changesDuringPlay = true;
    for (const std::string& k : playUnbound_) mark(EntryKind::Key, k);
    return std::move(result_);
  }

 private:
  void mark(EntryKind kind, const std::string& name) {
    std::vector<EffectiveEntry>& list = kind == EntryKind::Variable ? result_.variables
                                        : kind == EntryKind::Key    ? result_.keys
                                        : kind == EntryKind::Alias  ? result_.aliases
                                                                    : result_.setinfo;
    if (EffectiveEntry* e = findIn(list, kind, name)) e->changesDuringPlay = true;
  }

  bool validKey(std::string_view name) const { return !options_.isKey || options_.isKey(name); }
  bool knownVariable(std::string_view name) const {
    return !options_.isVariable || options_.isVariable(name);
  }

  static std::string_view word(const RanCommand& rc, std::size_t i) {
    return i < rc.command->words.size() ? rc.command->words[i].text(rc.script) : std::string_view();
  }

  // A command taking effect at start.
  void start(const RanCommand& rc) {
    const SourceLine at{std::string(rc.originFile), rc.originLine};
    const std::string via = joined(rc.via);
    const std::string_view name = rc.name();
    const std::size_t argc = rc.command->words.size();
    switch (rc.role) {
      case RunRole::AliasDefinition:
        if (!rc.defined) {
          result_.problems.push_back(
              ChainProblem{ChainProblem::Kind::BadAlias, at, std::string(word(rc, 1)), false, {}});
          return;
        }
        aliases_.set(word(rc, 1), Assignment{at, valueOf(rc), {}, via});
        return;
      case RunRole::Variable:
        if (argc < 2) {
          if (!knownVariable(name))
            result_.unknownWords.push_back(UnknownWord{at, std::string(name)});
          return;  // prints the value
        }
        if (!knownVariable(name)) {
          result_.unknownWords.push_back(UnknownWord{at, std::string(name)});
          return;
        }
        variables_.set(name, Assignment{at, std::string(word(rc, 1)), {}, via});
        // A user-info variable sets the user-info key of its (registered, lower-case) name too:
        // where a setinfo line set that key before, this line decides it now.
        if (core::isUserinfoVariable(name)) {
          const std::string key = core::asciiLower(name);
          if (const EffectiveEntry* e = setinfo_.find(key); e != nullptr && e->present())
            setinfo_.set(key, Assignment{at, std::string(word(rc, 1)), {}, via});
        }
        return;
      case RunRole::Command:
        break;
      default:
        return;
    }
    if (core::sameName(name, "bind")) {
      if (argc < 3) return;  // prints the bind, or the usage
      const std::string_view key = word(rc, 1);
      if (!validKey(key)) {
        result_.problems.push_back(
            ChainProblem{ChainProblem::Kind::UnknownKey, at, std::string(key), false, {}});
        return;
      }
      keys_.set(keySpelling(key), Assignment{at, valueOf(rc), {}, via});
    } else if (core::sameName(name, "unbind")) {
      if (argc >= 2) keys_.remove(keySpelling(word(rc, 1)), at, "unbind");
    } else if (core::sameName(name, "unbindall")) {
      result_.clearings.push_back(Clearing{at, "unbindall", keys_.removeAll(at, "unbindall")});
    } else if (core::sameName(name, "setinfo")) {
      if (argc >= 3) setinfo_.set(word(rc, 1), Assignment{at, std::string(word(rc, 2)), {}, via});
    }
  }

  // A command a key press reaches.
  void play(const RanCommand& rc) {
    const std::string_view name = rc.name();
    const std::size_t argc = rc.command->words.size();
    RuntimeChange c;
    c.at = SourceLine{std::string(rc.file), rc.line};
    c.holder = std::string(rc.holder);
    if (rc.role == RunRole::AliasDefinition) {
      if (!rc.defined) return;
      c.kind = EntryKind::Alias;
      c.name = std::string(word(rc, 1));
      c.value = valueOf(rc);
    } else if (rc.role == RunRole::Variable) {
      if (argc < 2 || !knownVariable(name)) return;
      c.kind = EntryKind::Variable;
      c.name = std::string(name);
      c.value = std::string(word(rc, 1));
    } else if (rc.role == RunRole::Command && core::sameName(name, "bind") && argc >= 3) {
      if (!validKey(word(rc, 1))) return;
      c.kind = EntryKind::Key;
      c.name = keySpelling(word(rc, 1));
      c.value = valueOf(rc);
    } else if (rc.role == RunRole::Command && core::sameName(name, "setinfo") && argc >= 3) {
      c.kind = EntryKind::Setinfo;
      c.name = std::string(word(rc, 1));
      c.value = std::string(word(rc, 2));
    } else if (rc.role == RunRole::Command && core::sameName(name, "unbind") && argc >= 2) {
      playUnbound_.push_back(keySpelling(word(rc, 1)));
      return;
    } else if (rc.role == RunRole::Command && core::sameName(name, "unbindall")) {
      playClearsKeys_ = true;
      return;
    } else {
      return;
    }
    result_.duringPlay.push_back(std::move(c));
  }

  static std::string valueOf(const RanCommand& rc) {
    const core::ScriptRange range = core::nestedScript(rc.script, *rc.command);
    if (!range.present) return {};
    return std::string(rc.script.substr(static_cast<std::size_t>(range.start),
                                        static_cast<std::size_t>(range.end - range.start)));
  }

  const EffectiveOptions& options_;
  EffectiveConfig result_;
  EntryTable variables_{EntryKind::Variable, false};
  EntryTable keys_{EntryKind::Key, true};
  EntryTable aliases_{EntryKind::Alias, false};
  EntryTable setinfo_{EntryKind::Setinfo, true};
  std::vector<std::string> playUnbound_;
  bool playClearsKeys_ = false;
  std::set<std::string> listed_[2];  // the files listed at start, and in play
};

std::string inQuotes(std::string_view s) {
  std::string out = "\"";
  out += s;
  out += '"';
  return out;
}

const char* problemKind(ChainProblem::Kind k) {
  switch (k) {
    case ChainProblem::Kind::Missing:
      return "missing";
    case ChainProblem::Kind::Unreadable:
      return "unreadable";
    case ChainProblem::Kind::BadName:
      return "bad-name";
    case ChainProblem::Kind::Loop:
      return "loop";
    case ChainProblem::Kind::OverBudget:
      return "over-budget";
    case ChainProblem::Kind::UnknownKey:
      return "unknown-key";
    case ChainProblem::Kind::BadAlias:
      return "bad-alias";
  }
  return "";
}

const char* kindName(EntryKind k) {
  switch (k) {
    case EntryKind::Variable:
      return "variable";
    case EntryKind::Key:
      return "key";
    case EntryKind::Alias:
      return "alias";
    case EntryKind::Setinfo:
      return "setinfo";
  }
  return "";
}

const char* budgetName(ChainBudget b) {
  switch (b) {
    case ChainBudget::Files:
      return "files";
    case ChainBudget::Bytes:
      return "bytes";
    case ChainBudget::Commands:
      return "commands";
    case ChainBudget::None:
      break;
  }
  return "";
}

}  // namespace

std::size_t EffectiveEntry::fileCount() const {
  std::set<std::string> files;
  for (const Assignment& a : history)
    if (!a.removed()) files.insert(lowered(a.at.file));
  return files.size();
}

const std::vector<EffectiveEntry>& EffectiveConfig::entries(EntryKind kind) const {
  switch (kind) {
    case EntryKind::Key:
      return keys;
    case EntryKind::Alias:
      return aliases;
    case EntryKind::Setinfo:
      return setinfo;
    case EntryKind::Variable:
      break;
  }
  return variables;
}

const EffectiveEntry* EffectiveConfig::find(EntryKind kind, std::string_view name) const {
  return findIn(entries(kind), kind, name);
}

namespace {

EffectiveConfig run(FileSource* source, const std::vector<std::string>& startFiles,
                    const std::string* path, std::string_view text,
                    const EffectiveOptions& options) {
  EffectiveBuilder builder(options);
  ConsoleRunner runner(source, builder, builder.runOptions());
  if (path != nullptr)
    runner.runText(*path, text);
  else
    runner.runStart(startFiles);
  runner.runPlay();
  return builder.finish();
}

}  // namespace

EffectiveConfig computeEffective(FileSource& source, const std::vector<std::string>& startFiles,
                                 const EffectiveOptions& options) {
  return run(&source, startFiles, nullptr, {}, options);
}

EffectiveConfig computeEffectiveOfText(const std::string& path, std::string_view text,
                                       const EffectiveOptions& options) {
  return run(nullptr, {}, &path, text, options);
}

std::string problemText(const ChainProblem& p,
                        const std::function<std::string(std::string_view)>& convert) {
  const std::string target = "\"" + convert(p.target) + "\"";
  switch (p.kind) {
    case ChainProblem::Kind::Missing:
      return "нет файла " + target + (p.quiet ? " (игра молча пропускает)" : "");
    case ChainProblem::Kind::Unreadable:
      return "файл не читается " + target;
    case ChainProblem::Kind::BadName:
      return "exec не примет такое имя " + target;
    case ChainProblem::Kind::Loop:
    case ChainProblem::Kind::OverBudget:
      return chainTroubleText(
          p.kind == ChainProblem::Kind::Loop ? ExecTrouble::Loop : ExecTrouble::OverBudget, p.exec,
          convert(p.target));
    case ChainProblem::Kind::UnknownKey:
      return "игра не знает такой клавиши " + target;
    case ChainProblem::Kind::BadAlias:
      return "игра не создаст алиас с таким именем " + target;
  }
  return {};
}

std::string lineText(const SourceLine& at) { return at.file + ":" + std::to_string(at.line); }

std::string describeEntry(const EffectiveEntry& entry,
                          const std::function<std::string(std::string_view)>& convert) {
  const Assignment& last = entry.decisive();
  std::string out = convert(entry.name);
  if (last.removed()) {
    out += " — убрано (" + last.removedBy + ", " + lineText(last.at);
  } else {
    out += " = " + convert(last.value);
    if (!entry.alias.empty()) out += " → " + convert(entry.aliasValue);
    out += "  (" + lineText(last.at);
    if (!last.via.empty()) out += ", алиас " + convert(last.via);
  }
  if (entry.history.size() > 1) {
    out += "; переопределяет ";
    for (std::size_t i = 0; i + 1 < entry.history.size(); ++i) {
      const Assignment& a = entry.history[i];
      if (i > 0) out += ", ";
      out += lineText(a.at) + " ";
      out += a.removed() ? a.removedBy : inQuotes(convert(a.value));
      if (!a.via.empty()) out += " (алиас " + convert(a.via) + ")";
    }
  }
  out += ")";
  if (entry.changesDuringPlay) out += "  [меняется во время игры]";
  return out;
}

std::string effectiveJson(const EffectiveConfig& config,
                          const std::function<std::string(std::string_view)>& convert) {
  using nlohmann::ordered_json;
  const auto assignment = [&](const Assignment& a) {
    ordered_json j;
    j["file"] = convert(a.at.file);
    j["line"] = a.at.line;
    if (a.removed())
      j["removedBy"] = a.removedBy;
    else
      j["value"] = convert(a.value);
    if (!a.via.empty()) j["alias"] = convert(a.via);
    return j;
  };
  const auto names = [&](const std::vector<std::string>& list) {
    ordered_json j = ordered_json::array();
    for (const std::string& f : list) j.push_back(convert(f));
    return j;
  };
  ordered_json out;
  out["files"] = names(config.files);
  out["playFiles"] = names(config.playFiles);
  for (const EntryKind kind :
       {EntryKind::Variable, EntryKind::Key, EntryKind::Alias, EntryKind::Setinfo}) {
    ordered_json list = ordered_json::array();
    for (const EffectiveEntry& e : config.entries(kind)) {
      ordered_json j;
      j["name"] = convert(e.name);
      j["decisive"] = assignment(e.decisive());
      ordered_json overrides = ordered_json::array();
      for (std::size_t i = 0; i + 1 < e.history.size(); ++i)
        overrides.push_back(assignment(e.history[i]));
      j["overrides"] = std::move(overrides);
      if (!e.alias.empty()) {
        j["alias"] = convert(e.alias);
        j["aliasValue"] = convert(e.aliasValue);
      }
      if (e.changesDuringPlay) j["changesDuringPlay"] = true;
      list.push_back(std::move(j));
    }
    out[kind == EntryKind::Variable ? "variables"
        : kind == EntryKind::Key    ? "keys"
        : kind == EntryKind::Alias  ? "aliases"
                                    : "setinfo"] = std::move(list);
  }
  ordered_json play = ordered_json::array();
  for (const RuntimeChange& c : config.duringPlay)
    play.push_back({{"kind", kindName(c.kind)},
                    {"name", convert(c.name)},
                    {"value", convert(c.value)},
                    {"holder", convert(c.holder)},
                    {"file", convert(c.at.file)},
                    {"line", c.at.line}});
  out["duringPlay"] = std::move(play);
  ordered_json problems = ordered_json::array();
  for (const ChainProblem& p : config.problems) {
    ordered_json j = {{"kind", problemKind(p.kind)},
                      {"target", convert(p.target)},
                      {"file", convert(p.at.file)},
                      {"line", p.at.line}};
    if (p.quiet) j["quiet"] = true;
    if (p.kind == ChainProblem::Kind::OverBudget) {
      j["budget"] = budgetName(p.exec.budget);
      j["limit"] = p.exec.budgetLimit;
    }
    j["message"] = problemText(p, convert);
    problems.push_back(std::move(j));
  }
  out["problems"] = std::move(problems);
  ordered_json clearings = ordered_json::array();
  for (const Clearing& c : config.clearings)
    clearings.push_back({{"command", c.command},
                         {"file", convert(c.at.file)},
                         {"line", c.at.line},
                         {"removed", c.removed}});
  out["clearings"] = std::move(clearings);
  ordered_json unknown = ordered_json::array();
  for (const UnknownWord& u : config.unknownWords)
    unknown.push_back(
        {{"name", convert(u.name)}, {"file", convert(u.at.file)}, {"line", u.at.line}});
  out["unknownWords"] = std::move(unknown);
  return out.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace brindle::editor
