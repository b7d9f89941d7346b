#include "editor/logic/EffectiveConfig.h"

#include <algorithm>
#include <memory>
#include <set>
#include <unordered_map>

#include "core/ConsoleScript.h"
#include "core/Text.h"

namespace brindle::editor {
namespace {

using core::asciiLower;
char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

std::string lowered(std::string_view s) { return core::asciiLower(s); }

std::string_view wordText(std::string_view script, const core::ScriptCommand& command,
                          std::size_t i) {
  return i < command.words.size() ? command.words[i].text(script) : std::string_view();
}

// The value of a bind or alias: the rest of the line after its name.
std::string valueOf(std::string_view script, const core::ScriptCommand& command) {
  const core::ScriptRange range = core::nestedScript(script, command);
  if (!range.present) return {};
  return std::string(script.substr(static_cast<std::size_t>(range.start),
                                   static_cast<std::size_t>(range.end - range.start)));
}

// Names of one table of entries, letter case ignored, in the order they first appeared.
class EntryTable {
 public:
  explicit EntryTable(EntryKind kind) : kind_(kind) {}

  EffectiveEntry& at(std::string_view name) {
    const std::string key = lowered(name);
    const auto found = index_.find(key);
    if (found != index_.end()) return entries_[found->second];
    index_.emplace(key, entries_.size());
    EffectiveEntry& e = entries_.emplace_back();
    e.kind = kind_;
    e.name = std::string(name);
    return e;
  }
  EffectiveEntry* find(std::string_view name) {
    const auto found = index_.find(lowered(name));
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
    std::sort(out.begin(), out.end(), [](const EffectiveEntry& a, const EffectiveEntry& b) {
      return lowered(a.name) < lowered(b.name);
    });
    return out;
  }

 private:
  EntryKind kind_;
  std::vector<EffectiveEntry> entries_;
  std::unordered_map<std::string, std::size_t> index_;
  std::vector<std::ptrdiff_t> live_;
};

// Line numbers of the commands of one file, counted forward as the commands come in order.
struct LineCursor {
  const ChainFile* file = nullptr;
  std::string_view text;
  std::size_t pos = 0;
  int line = 1;

  int lineOf(core::Offset offset) {
    const auto to =
        std::min(static_cast<std::size_t>(std::max<core::Offset>(offset, 0)), text.size());
    if (to < pos) return line;  // never happens for commands in order
    line += static_cast<int>(std::count(text.begin() + static_cast<std::ptrdiff_t>(pos),
                                        text.begin() + static_cast<std::ptrdiff_t>(to), '\n'));
    pos = to;
    return line;
  }
};

constexpr int kMaxAliasDepth = 16;

class EffectiveBuilder : public ChainVisitor {
 public:
  explicit EffectiveBuilder(const EffectiveOptions& options) : options_(options) {}

  void enterFile(const ChainFile& file) override {
    cursors_.push_back(LineCursor{&file, file.text, 0, 1});
    if (std::find(filesSeen_.begin(), filesSeen_.end(), file.path) == filesSeen_.end())
      filesSeen_.push_back(file.path);
  }
  void leaveFile(const ChainFile& file) override {
    if (!cursors_.empty() && cursors_.back().file == &file) cursors_.pop_back();
  }

  void command(const ChainFile& file, std::string_view script,
               const core::ScriptCommand& command) override {
    if (command.empty()) return;
    const SourceLine at{file.path, cursorOf(file).lineOf(command.start)};
    if (command.depth > 0) {
      runtime(at, script, command, holderOf(script, command));
    } else if (file.conditional) {
      runtime(at, script, command, "exec " + file.path);
    } else {
      apply(at, script, command, {}, 0);
    }
  }

  void missingFile(const ChainFile& from, const ExecLine& exec, ExecTrouble trouble,
                   bool quiet) override {
    ChainProblem p;
    switch (trouble) {
      case ExecTrouble::Unreadable:
        p.kind = ChainProblem::Kind::Unreadable;
        break;
      case ExecTrouble::Missing:
        p.kind = ChainProblem::Kind::Missing;
        break;
      default:
        p.kind = ChainProblem::Kind::BadName;
        break;
    }
    p.at = SourceLine{from.path, cursorOf(from).lineOf(exec.offset)};
    p.target = exec.target;
    p.quiet = quiet;
    result_.problems.push_back(std::move(p));
  }

  void loop(const ChainFile& from, const ExecLine& exec, ExecTrouble trouble) override {
    ChainProblem p;
    p.kind =
        trouble == ExecTrouble::TooDeep ? ChainProblem::Kind::TooDeep : ChainProblem::Kind::Loop;
    p.at = SourceLine{from.path, cursorOf(from).lineOf(exec.offset)};
    p.target = exec.target;
    result_.problems.push_back(std::move(p));
  }

  EffectiveConfig finish() {
    result_.files = std::move(filesSeen_);
    // Keys resolved one level through the aliases as they stand at the end.
    for (EffectiveEntry& key : keys_.take()) {
      if (key.present()) {
        const std::string first = firstCommand(key.decisive().value);
        if (const EffectiveEntry* a = aliases_.find(first); a != nullptr && a->present()) {
          key.alias = a->name;
          key.aliasValue = a->decisive().value;
        }
      }
      result_.keys.push_back(std::move(key));
    }
    result_.variables = variables_.take();
    result_.aliases = aliases_.take();
    dropStartOnlyAliases();
    for (const RuntimeChange& c : result_.duringPlay) {
      auto& list = c.kind == EntryKind::Variable ? result_.variables
                   : c.kind == EntryKind::Key    ? result_.keys
                                                 : result_.aliases;
      const std::string name = lowered(c.name);
      const auto it = std::lower_bound(
          list.begin(), list.end(), name,
          [](const EffectiveEntry& e, const std::string& n) { return lowered(e.name) < n; });
      if (it != list.end() && lowered(it->name) == name) it->changesDuringPlay = true;
    }
    return std::move(result_);
  }

  LineCursor& cursorOf(const ChainFile& file) {
    for (auto it = cursors_.rbegin(); it != cursors_.rend(); ++it)
      if (it->file == &file) return *it;
    cursors_.push_back(LineCursor{&file, file.text, 0, 1});
    return cursors_.back();
  }

  void scanText(const ChainFile& file, std::string_view text) {
    struct Forward : core::ScriptVisitor {
      EffectiveBuilder* self;
      const ChainFile* file;
      void command(std::string_view script, const core::ScriptCommand& c) override {
        self->command(*file, script, c);
      }
    } forward;
    forward.self = this;
    forward.file = &file;
    core::ScriptScanner scanner;
    scanner.scan(text, forward);
  }

 private:
  // An alias that a file runs at start and that no bind or alias value ever names is a
  // start-up script, not something a key press runs: its commands are no changes during play.
  void dropStartOnlyAliases() {
    if (ranAtStart_.empty()) return;
    std::set<std::string> named;
    const auto collect = [&named](const std::vector<EffectiveEntry>& list) {
      for (const EffectiveEntry& e : list)
        for (const Assignment& a : e.history) {
          std::size_t i = 0;
          const std::string_view v = a.value;
          while (i <= v.size()) {
            std::size_t end = v.find(';', i);
            if (end == std::string_view::npos) end = v.size();
            named.insert(lowered(firstCommand(v.substr(i, end - i))));
            i = end + 1;
          }
        }
    };
    collect(result_.keys);
    collect(result_.aliases);
    std::erase_if(result_.duringPlay, [&](const RuntimeChange& c) {
      if (c.holder.rfind("alias ", 0) != 0) return false;
      const std::string alias = lowered(c.holder.substr(6));
      return ranAtStart_.count(alias) != 0 && named.count(alias) == 0;
    });
  }

  static std::string firstCommand(std::string_view value) { return core::firstCommandOf(value); }

  // "alias NAME" or "bind KEY": the alias or bind whose value holds the command.
  static std::string holderOf(std::string_view script, const core::ScriptCommand& command) {
    const core::ScriptCommand* p = command.parent;
    if (p == nullptr || p->words.size() < 2) return {};
    std::string holder = lowered(wordText(script, *p, 0));
    holder += ' ';
    holder += lowered(holder) == "bind " ? keySpelling(wordText(script, *p, 1))
                                         : std::string(wordText(script, *p, 1));
    return holder;
  }

  std::string keyName(std::string_view name) const { return keySpelling(name); }

  bool validKey(std::string_view name) const { return !options_.isKey || options_.isKey(name); }

  bool isCommand(std::string_view name) const {
    if (!name.empty() && (name[0] == '+' || name[0] == '-')) return true;
    return options_.isCommand && options_.isCommand(name);
  }

  // A command taking effect at start.
  void apply(const SourceLine& at, std::string_view script, const core::ScriptCommand& command,
             const std::string& via, int aliasDepth) {
    const std::string name = lowered(wordText(script, command, 0));
    const std::size_t argc = command.words.size();
    if (name == "bind") {
      if (argc < 3) return;  // prints the bind, or the usage
      const std::string_view key = wordText(script, command, 1);
      if (!validKey(key)) {
        result_.problems.push_back(
            ChainProblem{ChainProblem::Kind::UnknownKey, at, std::string(key), false});
        return;
      }
      keys_.set(keyName(key), Assignment{at, valueOf(script, command), {}, via});
    } else if (name == "unbind") {
      if (argc >= 2) keys_.remove(keyName(wordText(script, command, 1)), at, "unbind");
    } else if (name == "unbindall") {
      result_.clearings.push_back(Clearing{at, "unbindall", keys_.removeAll(at, "unbindall")});
    } else if (name == "alias") {
      if (argc < 3) return;
      const std::string_view alias = wordText(script, command, 1);
      aliases_.set(alias, Assignment{at, valueOf(script, command), {}, via});
    } else if (name == "unaliasall") {
      result_.clearings.push_back(Clearing{at, "unaliasall", aliases_.removeAll(at, "unaliasall")});
    } else if (name == "exec") {
      // followed by the chain
    } else if (EffectiveEntry* a = aliases_.find(name); a != nullptr && a->present()) {
      runAlias(at, *a, aliasDepth);
    } else if (!isCommand(name) && argc >= 2) {
      variables_.set(wordText(script, command, 0),
                     Assignment{at, std::string(wordText(script, command, 1)), {}, via});
    }
  }

  // An alias run by a line at start: its value's commands take effect at that line.
  void runAlias(const SourceLine& at, const EffectiveEntry& alias, int depth) {
    if (depth >= kMaxAliasDepth) return;
    if (std::find(running_.begin(), running_.end(), lowered(alias.name)) != running_.end())
      return;  // an alias running itself: the console would never finish
    running_.push_back(lowered(alias.name));
    ranAtStart_.insert(lowered(alias.name));
    const std::string body = alias.decisive().value;  // the entry may move while it runs
    const std::string via = alias.name;
    struct Runner : core::ScriptVisitor {
      EffectiveBuilder* self;
      const SourceLine* at;
      const std::string* via;
      int depth;
      void command(std::string_view script, const core::ScriptCommand& c) override {
        if (c.depth == 0 && !c.empty()) self->apply(*at, script, c, *via, depth);
      }
    } runner;
    runner.self = this;
    runner.at = &at;
    runner.via = &via;
    runner.depth = depth + 1;
    core::ScriptScanner scanner;
    scanner.scan(body, runner);
    running_.pop_back();
  }

  // A command inside the value of an alias or bind, or of a file only such a value runs.
  void runtime(const SourceLine& at, std::string_view script, const core::ScriptCommand& command,
               std::string holder) {
    const std::string name = lowered(wordText(script, command, 0));
    const std::size_t argc = command.words.size();
    RuntimeChange c;
    c.at = at;
    c.holder = std::move(holder);
    if (name == "bind" && argc >= 3) {
      c.kind = EntryKind::Key;
      c.name = keyName(wordText(script, command, 1));
      c.value = valueOf(script, command);
    } else if (name == "alias" && argc >= 3) {
      c.kind = EntryKind::Alias;
      c.name = std::string(wordText(script, command, 1));
      c.value = valueOf(script, command);
    } else if (name == "bind" || name == "alias" || name == "exec" || name == "unbind" ||
               name == "unbindall" || name == "unaliasall" || isCommand(name) || argc < 2) {
      return;
    } else if (command.depth > 0 && aliases_.find(name) != nullptr) {
      return;  // runs another alias
    } else {
      c.kind = EntryKind::Variable;
      c.name = std::string(wordText(script, command, 0));
      c.value = std::string(wordText(script, command, 1));
    }
    result_.duringPlay.push_back(std::move(c));
  }

  const EffectiveOptions& options_;
  EffectiveConfig result_;
  EntryTable variables_{EntryKind::Variable};
  EntryTable keys_{EntryKind::Key};
  EntryTable aliases_{EntryKind::Alias};
  std::vector<LineCursor> cursors_;
  std::vector<std::string> filesSeen_;
  std::vector<std::string> running_;
  std::set<std::string> ranAtStart_;
};

std::string quoted(std::string_view s) {
  std::string out = "\"";
  out += s;
  out += '"';
  return out;
}

void jsonString(std::string& out, std::string_view s) {
  out += '"';
  for (const char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    switch (ch) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          static const char* const hex = "0123456789abcdef";
          out += "\\u00";
          out += hex[c >> 4];
          out += hex[c & 15];
        } else {
          out += ch;
        }
    }
  }
  out += '"';
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
    case ChainProblem::Kind::TooDeep:
      return "too-deep";
    case ChainProblem::Kind::UnknownKey:
      return "unknown-key";
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
    default:
      return variables;
  }
}

const EffectiveEntry* EffectiveConfig::find(EntryKind kind, std::string_view name) const {
  const std::vector<EffectiveEntry>& list = entries(kind);
  const std::string wanted = lowered(kind == EntryKind::Key ? keySpelling(name) : name);
  const auto it = std::lower_bound(
      list.begin(), list.end(), wanted,
      [](const EffectiveEntry& e, const std::string& n) { return lowered(e.name) < n; });
  return it != list.end() && lowered(it->name) == wanted ? &*it : nullptr;
}

EffectiveConfig computeEffective(FileSource& source, const std::vector<std::string>& startFiles,
                                 const EffectiveOptions& options) {
  EffectiveBuilder builder(options);
  walkChain(source, startFiles, builder);
  return builder.finish();
}

EffectiveConfig computeEffectiveOfText(const std::string& path, std::string_view text,
                                       const EffectiveOptions& options) {
  EffectiveBuilder builder(options);
  ChainFile file;
  file.path = path;
  file.text = text;
  builder.enterFile(file);
  builder.scanText(file, text);
  builder.leaveFile(file);
  return builder.finish();
}

std::string keySpelling(std::string_view name) {
  // ';' cannot be typed in a bind line unquoted; the engine names the key SEMICOLON as well.
  if (name == ";") return "SEMICOLON";
  std::string out(name);
  if (out.size() == 1) {
    out[0] = asciiLower(out[0]);
  } else {
    for (char& c : out) c = upperAscii(c);
  }
  return out;
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
      out += a.removed() ? a.removedBy : quoted(convert(a.value));
      if (!a.via.empty()) out += " (алиас " + convert(a.via) + ")";
    }
  }
  out += ")";
  if (entry.changesDuringPlay) out += "  [меняется во время игры]";
  return out;
}

std::string effectiveJson(const EffectiveConfig& config,
                          const std::function<std::string(std::string_view)>& convert) {
  std::string out = "{\n  \"files\": [";
  for (std::size_t i = 0; i < config.files.size(); ++i) {
    if (i > 0) out += ", ";
    jsonString(out, convert(config.files[i]));
  }
  out += "]";
  const auto assignment = [&](const Assignment& a) {
    out += "{\"file\": ";
    jsonString(out, convert(a.at.file));
    out += ", \"line\": " + std::to_string(a.at.line);
    if (a.removed()) {
      out += ", \"removedBy\": ";
      jsonString(out, a.removedBy);
    } else {
      out += ", \"value\": ";
      jsonString(out, convert(a.value));
    }
    if (!a.via.empty()) {
      out += ", \"alias\": ";
      jsonString(out, convert(a.via));
    }
    out += "}";
  };
  for (const EntryKind kind : {EntryKind::Variable, EntryKind::Key, EntryKind::Alias}) {
    out += kind == EntryKind::Variable ? ",\n  \"variables\": ["
           : kind == EntryKind::Key    ? ",\n  \"keys\": ["
                                       : ",\n  \"aliases\": [";
    bool first = true;
    for (const EffectiveEntry& e : config.entries(kind)) {
      out += first ? "\n    " : ",\n    ";
      first = false;
      out += "{\"name\": ";
      jsonString(out, convert(e.name));
      out += ", \"decisive\": ";
      assignment(e.decisive());
      out += ", \"overrides\": [";
      for (std::size_t i = 0; i + 1 < e.history.size(); ++i) {
        if (i > 0) out += ", ";
        assignment(e.history[i]);
      }
      out += "]";
      if (!e.alias.empty()) {
        out += ", \"alias\": ";
        jsonString(out, convert(e.alias));
        out += ", \"aliasValue\": ";
        jsonString(out, convert(e.aliasValue));
      }
      if (e.changesDuringPlay) out += ", \"changesDuringPlay\": true";
      out += "}";
    }
    out += first ? "]" : "\n  ]";
  }
  out += ",\n  \"duringPlay\": [";
  for (std::size_t i = 0; i < config.duringPlay.size(); ++i) {
    const RuntimeChange& c = config.duringPlay[i];
    out += i > 0 ? ",\n    " : "\n    ";
    out += "{\"kind\": \"";
    out += kindName(c.kind);
    out += "\", \"name\": ";
    jsonString(out, convert(c.name));
    out += ", \"value\": ";
    jsonString(out, convert(c.value));
    out += ", \"holder\": ";
    jsonString(out, convert(c.holder));
    out += ", \"file\": ";
    jsonString(out, convert(c.at.file));
    out += ", \"line\": " + std::to_string(c.at.line) + "}";
  }
  out += config.duringPlay.empty() ? "]" : "\n  ]";
  out += ",\n  \"problems\": [";
  for (std::size_t i = 0; i < config.problems.size(); ++i) {
    const ChainProblem& p = config.problems[i];
    out += i > 0 ? ",\n    " : "\n    ";
    out += "{\"kind\": \"";
    out += problemKind(p.kind);
    out += "\", \"target\": ";
    jsonString(out, convert(p.target));
    out += ", \"file\": ";
    jsonString(out, convert(p.at.file));
    out += ", \"line\": " + std::to_string(p.at.line);
    if (p.quiet) out += ", \"quiet\": true";
    out += "}";
  }
  out += config.problems.empty() ? "]" : "\n  ]";
  out += ",\n  \"clearings\": [";
  for (std::size_t i = 0; i < config.clearings.size(); ++i) {
    const Clearing& c = config.clearings[i];
    out += i > 0 ? ", " : "";
    out += "{\"command\": \"" + c.command + "\", \"file\": ";
    jsonString(out, convert(c.at.file));
    out += ", \"line\": " + std::to_string(c.at.line) +
           ", \"removed\": " + std::to_string(c.removed) + "}";
  }
  out += "]\n}\n";
  return out;
}

}  // namespace brindle::editor
