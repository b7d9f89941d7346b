#include "editor/logic/ConsoleRun.h"

#include <algorithm>

#include "core/Text.h"

namespace brindle::editor {

// ---------------------------------------------------------------- texts

namespace {

class Collect : public core::ScriptVisitor {
 public:
  struct Pending {
    std::size_t firstWord = 0;
    std::size_t wordCount = 0;
    std::ptrdiff_t parent = -1;
  };
  explicit Collect(ParsedScript& out) : out_(out) {}
  void command(std::string_view script, const core::ScriptCommand& command) override {
    (void)script;
    const auto depth = static_cast<std::size_t>(std::max(command.depth, 0));
    if (lastAt_.size() <= depth) lastAt_.resize(depth + 1, -1);
    Pending p;
    p.firstWord = out_.words.size();
    p.wordCount = command.words.size();
    p.parent = depth > 0 ? lastAt_[depth - 1] : -1;
    out_.words.insert(out_.words.end(), command.words.begin(), command.words.end());
    lastAt_[depth] = static_cast<std::ptrdiff_t>(out_.commands.size());
    core::ScriptCommand copy = command;
    copy.words = {};
    copy.parent = nullptr;
    out_.commands.push_back(copy);
    pending.push_back(p);
    if (depth == 0 && !command.words.empty()) ++out_.topLevel;
  }
  std::vector<Pending> pending;

 private:
  ParsedScript& out_;
  std::vector<std::ptrdiff_t> lastAt_;
};

}  // namespace

namespace {

// The spans and parents point into the vectors once they no longer move.
void settle(ParsedScript& out, const std::vector<Collect::Pending>& pending) {
  for (std::size_t i = 0; i < out.commands.size(); ++i) {
    const Collect::Pending& p = pending[i];
    out.commands[i].words =
        std::span<const core::ScriptWord>(out.words.data() + p.firstWord, p.wordCount);
    if (p.parent >= 0) out.commands[i].parent = &out.commands[static_cast<std::size_t>(p.parent)];
  }
}

}  // namespace

ParsedScript parseScript(std::string_view text) {
  ParsedScript out;
  Collect collect(out);
  core::ScriptScanner().scan(text, collect);
  settle(out, collect.pending);
  return out;
}

ParsedScript parseLines(std::string_view text, core::Offset from, core::Offset to) {
  ParsedScript out;
  Collect collect(out);
  core::ScriptScanner().scanLines(text, from, to, collect);
  settle(out, collect.pending);
  return out;
}

LineIndex::LineIndex(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      starts_.push_back(static_cast<core::Offset>(i + 1));
    } else if (text[i] == '\n') {
      starts_.push_back(static_cast<core::Offset>(i + 1));
    }
  }
}

int LineIndex::lineOf(core::Offset offset) const {
  return 1 + static_cast<int>(std::upper_bound(starts_.begin(), starts_.end(), offset) -
                              starts_.begin());
}

// ---------------------------------------------------------------- the runner's state

struct ConsoleRunner::File {
  std::string path;  // as first named
  std::string key;
  std::string_view text;
  std::unique_ptr<LineIndex> lines;
  Script* whole = nullptr;
  int lineOf(core::Offset offset) {
    if (!lines) lines = std::make_unique<LineIndex>(text);
    return lines->lineOf(offset);
  }
};

struct ConsoleRunner::Script {
  File* file = nullptr;
  std::string_view text;
  core::Offset base = 0;
  std::unique_ptr<ParsedScript> parsed;
  const ParsedScript& commands() {
    if (!parsed) parsed = std::make_unique<ParsedScript>(parseScript(text));
    return *parsed;
  }
};

struct ConsoleRunner::Frame {
  Script* script = nullptr;
  std::size_t next = 0;
  bool isFile = false;
  ChainFile chainFile;          // a file's frame
  std::string_view originFile;  // an alias's frame: the command that started it
  int originLine = 0;
  std::string alias;  // an alias's frame: its name
};

namespace {

bool named(std::string_view name, std::string_view what) { return core::sameName(name, what); }

// Commands the runner knows without being told: the engine's own (Cmd_Init in
// rehlds/engine/cmd.cpp) and the client's key and user-info commands.
bool builtinCommand(std::string_view name) {
  for (const std::string_view c : {"exec", "alias", "echo", "wait", "cmd", "stuffcmds", "cmdlist",
                                   "bind", "unbind", "unbindall", "setinfo"})
    if (named(name, c)) return true;
  return false;
}

// Alias names Cmd_Alias_f refuses in Counter-Strike, besides variables and long names.
bool refusedAliasName(std::string_view name) {
  if (name.size() >= 32) return true;  // MAX_ALIAS_NAME
  for (const std::string_view n :
       {"cl_autobuy", "cl_rebuy", "gl_ztrick", "gl_ztrick_old", "gl_d3dflip"})
    if (named(name, n)) return true;
  return false;
}

}  // namespace

ConsoleRunner::ConsoleRunner(FileSource* source, RunHandler& handler, RunOptions options)
    : source_(source), handler_(handler), options_(std::move(options)) {}

ConsoleRunner::~ConsoleRunner() = default;

ConsoleRunner::File& ConsoleRunner::fileOf(const std::string& path, std::string_view text) {
  std::string key = chainKey(path);
  if (const auto it = fileByKey_.find(key); it != fileByKey_.end()) return *it->second;
  File& f = files_.emplace_back();
  f.path = path;
  f.key = std::move(key);
  f.text = text;
  f.whole = &scriptOf(f, text);
  fileByKey_.emplace(f.key, &f);
  return f;
}

ConsoleRunner::File* ConsoleRunner::file(const std::string& path, bool* unreadable) {
  *unreadable = false;
  if (const auto it = fileByKey_.find(chainKey(path)); it != fileByKey_.end()) return it->second;
  if (source_ == nullptr) return nullptr;
  const std::optional<std::string_view> text = source_->read(path, unreadable);
  if (!text) return nullptr;
  return &fileOf(path, *text);
}

ConsoleRunner::Script& ConsoleRunner::scriptFor(std::string_view text) {
  // Every text a command is run from is a script the runner made.
  for (Script* s : scriptByStart_.at(text.data()))
    if (s->text.size() == text.size()) return *s;
  return *scriptByStart_.at(text.data()).front();
}

ConsoleRunner::Script& ConsoleRunner::scriptOf(File& file, std::string_view text) {
  std::vector<Script*>& same = scriptByStart_[text.data()];
  for (Script* s : same)
    if (s->text.size() == text.size()) return *s;
  Script& s = scripts_.emplace_back();
  s.file = &file;
  s.text = text;
  s.base = static_cast<core::Offset>(text.data() - file.text.data());
  same.push_back(&s);
  return s;
}

bool ConsoleRunner::isCommand(std::string_view name) const {
  return builtinCommand(name) || (options_.isCommand && options_.isCommand(name));
}

ConsoleRunner::Script* ConsoleRunner::aliasValue(std::string_view name) const {
  const auto it = aliases_.find(name);
  return it == aliases_.end() ? nullptr : it->second;
}

// ---------------------------------------------------------------- the start

void ConsoleRunner::runStart(const std::vector<std::string>& startFiles) {
  for (const std::string& path : startFiles) {
    if (stopped_) return;
    bool unreadable = false;
    File* f = file(path, &unreadable);
    if (f == nullptr) continue;
    std::size_t limit = 0;
    if (account_.enterFile(f->key, f->text.size(), f->whole->commands().topLevel, &limit) !=
        ChainBudget::None)
      return;
    runFile(*f, path, nullptr);
    loop();
  }
}

void ConsoleRunner::runText(const std::string& path, std::string_view text) {
  File& f = fileOf(path, text);
  std::size_t limit = 0;
  if (account_.enterFile(f.key, f.text.size(), f.whole->commands().topLevel, &limit) !=
      ChainBudget::None)
    return;
  runFile(f, path, nullptr);
  loop();
}

void ConsoleRunner::runFile(File& f, const std::string& path, const ChainFile* parent) {
  auto frame = std::make_unique<Frame>();
  frame->script = f.whole;
  frame->isFile = true;
  frame->chainFile.path = path;
  frame->chainFile.text = f.text;
  frame->chainFile.depth = parent == nullptr ? 0 : parent->depth + 1;
  frame->chainFile.parent = parent;
  ++runningFiles_[f.key];
  handler_.enterFile(frame->chainFile);
  frames_.push_back(std::move(frame));
}

void ConsoleRunner::loop() {
  while (!frames_.empty()) {
    Frame& f = *frames_.back();
    const ParsedScript& p = f.script->commands();
    while (!stopped_ && f.next < p.commands.size() &&
           (p.commands[f.next].depth != 0 || p.commands[f.next].empty()))
      ++f.next;
    if (stopped_ || f.next >= p.commands.size()) {
      if (f.isFile) {
        const auto it = runningFiles_.find(f.script->file->key);
        if (it != runningFiles_.end() && --it->second == 0) runningFiles_.erase(it);
        handler_.leaveFile(f.chainFile);
      } else {
        runningAliases_.erase(f.alias);
        via_.pop_back();
      }
      frames_.pop_back();
      continue;
    }
    execute(f, p.commands[f.next++]);
  }
}

void ConsoleRunner::execute(Frame& frame, const core::ScriptCommand& command) {
  RanCommand rc;
  rc.script = frame.script->text;
  rc.command = &command;
  rc.base = frame.script->base;
  File& lexical = *frame.script->file;
  rc.file = frame.isFile ? std::string_view(frame.chainFile.path) : std::string_view(lexical.path);
  rc.line = lexical.lineOf(rc.offset());
  rc.direct = frame.isFile;
  rc.originFile = frame.isFile ? rc.file : frame.originFile;
  rc.originLine = frame.isFile ? rc.line : frame.originLine;
  rc.via = via_;
  std::size_t limit = 0;
  if (!account_.runCommand(&limit)) {
    ExecLine line;
    line.offset = rc.offset();
    line.length = command.end - command.start;
    line.budget = ChainBudget::Commands;
    line.budgetLimit = limit;
    handler_.trouble(rc, line, ExecTrouble::OverBudget, false);
    stopped_ = true;
    return;
  }
  const std::string_view name = rc.name();
  const std::size_t argc = command.words.size();
  if (named(name, "exec")) {
    rc.role = RunRole::Exec;
    handler_.command(rc);
    // The file whose exec this is, for the chain's parents: the innermost running file.
    const ChainFile* from = nullptr;
    for (auto it = frames_.rbegin(); it != frames_.rend() && from == nullptr; ++it)
      if ((*it)->isFile) from = &(*it)->chainFile;
    if (from != nullptr) followExec(rc, *from, false);
    return;
  }
  if (named(name, "alias")) {
    defineAlias(rc, false);
    return;
  }
  if (isCommand(name)) {
    rc.role = RunRole::Command;
    handler_.command(rc);
    if (named(name, "bind") && argc >= 3) {
      const std::string_view keyName = command.words[1].text(rc.script);
      if (options_.bindsKey && !options_.bindsKey(keyName)) return;
      const core::ScriptRange range = core::nestedScript(rc.script, command);
      Script& value =
          scriptOf(lexical, rc.script.substr(static_cast<std::size_t>(range.start),
                                             static_cast<std::size_t>(range.end - range.start)));
      const std::string key = core::keySpelling(keyName);
      const auto [it, added] = bindIndex_.emplace(key, binds_.size());
      if (added) binds_.push_back(Bind{key, nullptr, {}, 0});
      binds_[it->second] = Bind{key, &value, rc.originFile, rc.originLine};
    } else if (named(name, "unbind") && argc >= 2) {
      const auto it = bindIndex_.find(core::keySpelling(command.words[1].text(rc.script)));
      if (it != bindIndex_.end()) binds_[it->second].value = nullptr;
    } else if (named(name, "unbindall")) {
      for (Bind& b : binds_) b.value = nullptr;
    }
    return;
  }
  if (Script* value = aliasValue(name)) {
    rc.role = RunRole::AliasRun;
    handler_.command(rc);
    // An alias that runs itself would fill the buffer for ever; it runs once.
    if (!runningAliases_.insert(std::string(name)).second) return;
    auto f = std::make_unique<Frame>();
    f->script = value;
    f->originFile = rc.originFile;
    f->originLine = rc.originLine;
    f->alias = std::string(name);
    via_.emplace_back(name);
    frames_.push_back(std::move(f));
    return;
  }
  // A +/- name that is no alias is a button command of the game.
  rc.role =
      !name.empty() && (name[0] == '+' || name[0] == '-') ? RunRole::Command : RunRole::Variable;
  handler_.command(rc);
}

void ConsoleRunner::followExec(const RanCommand& at, const ChainFile& from, bool play) {
  if (source_ == nullptr) return;
  const auto& words = at.command->words;
  ExecLine line;
  line.conditional = play;
  const core::ScriptWord& word = words.size() >= 2 ? words[1] : words[0];
  line.offset = at.base + word.start;
  line.length = word.length;
  if (words.size() != 2) {
    handler_.trouble(at, line, ExecTrouble::Usage, false);
    return;
  }
  line.target = std::string(words[1].text(at.script));
  if (const auto t = execNameTrouble(line.target)) {
    handler_.trouble(at, line, *t, false);
    return;
  }
  const std::string key = chainKey(line.target);
  if (play) {
    if (!playFilesDone_.emplace(key, true).second) return;
  } else if (runningFiles_.count(key) != 0) {
    handler_.trouble(at, line, ExecTrouble::Loop, false);
    return;
  }
  bool unreadable = false;
  File* f = file(line.target, &unreadable);
  if (f == nullptr) {
    handler_.trouble(at, line, unreadable ? ExecTrouble::Unreadable : ExecTrouble::Missing,
                     !unreadable && quietWhenMissing(line.target));
    return;
  }
  if (play) {
    playScript(*f->whole, "exec " + line.target, at.file, at.line);
    return;
  }
  std::size_t limit = 0;
  const ChainBudget over =
      account_.enterFile(f->key, f->text.size(), f->whole->commands().topLevel, &limit);
  if (over != ChainBudget::None) {
    line.budget = over;
    line.budgetLimit = limit;
    handler_.trouble(at, line, ExecTrouble::OverBudget, false);
    stopped_ = true;
    return;
  }
  runFile(*f, line.target, &from);
}

void ConsoleRunner::defineAlias(const RanCommand& at, bool play) {
  RanCommand rc = at;
  const auto& words = rc.command->words;
  if (words.size() < 2) {  // lists the aliases
    rc.role = RunRole::Command;
    handler_.command(rc);
    return;
  }
  const std::string_view name = words[1].text(rc.script);
  rc.role = RunRole::AliasDefinition;
  rc.defined = !name.empty() && !refusedAliasName(name) &&
               !(options_.isVariable && options_.isVariable(name));
  handler_.command(rc);
  if (!rc.defined) return;
  File& lexical = *scriptFor(rc.script).file;
  std::string_view value;
  if (words.size() >= 3) {
    const core::ScriptRange range = core::nestedScript(rc.script, *rc.command);
    value = rc.script.substr(static_cast<std::size_t>(range.start),
                             static_cast<std::size_t>(range.end - range.start));
  } else {
    value = rc.script.substr(static_cast<std::size_t>(words[1].end()), 0);
  }
  Script& script = scriptOf(lexical, value);
  if (!play) {
    aliases_[std::string(name)] = &script;
    return;
  }
  playAliases_[std::string(name)].push_back(&script);
  if (playUsed_.count(name) != 0)
    playScript(script, "alias " + std::string(name), lexical.path, lexical.lineOf(script.base));
}

// ---------------------------------------------------------------- play

void ConsoleRunner::playScript(Script& script, std::string holder, std::string_view originFile,
                               int originLine) {
  if (!playDone_.emplace(&script, true).second) return;
  playQueue_.push_back(PlayItem{&script, std::move(holder), originFile, originLine});
}

void ConsoleRunner::usePlayName(std::string_view name) {
  if (!playUsed_.insert(std::string(name)).second) return;
  const std::string holder = "alias " + std::string(name);
  if (Script* value = aliasValue(name))
    playScript(*value, holder, value->file->path, value->file->lineOf(value->base));
  if (const auto it = playAliases_.find(name); it != playAliases_.end())
    for (Script* value : it->second)
      playScript(*value, holder, value->file->path, value->file->lineOf(value->base));
}

void ConsoleRunner::bindForPlay(const std::string& key, Script& value, std::string_view file,
                                int line) {
  playScript(value, "bind " + key, file, line);
  // Releasing a key bound to "+NAME ..." runs "-NAME ..." (Key_Event).
  for (const core::ScriptCommand& c : value.commands().commands) {
    if (c.depth != 0 || c.empty()) continue;
    const std::string_view first = c.name(value.text);
    if (first.size() > 1 && first[0] == '+') usePlayName("-" + std::string(first.substr(1)));
    break;
  }
}

void ConsoleRunner::runPlay() {
  for (const Bind& b : binds_)
    if (b.value != nullptr) bindForPlay(b.key, *b.value, b.file, b.line);
  for (std::size_t i = 0; i < playQueue_.size(); ++i) {
    // The queue grows while it is walked: copy what the item holds.
    Script* script = playQueue_[i].script;
    const std::string holder = playQueue_[i].holder;
    const std::string_view originFile = playQueue_[i].originFile;
    const int originLine = playQueue_[i].originLine;
    const bool isFile = script == script->file->whole;
    ChainFile chainFile;
    if (isFile) {
      chainFile.path = script->file->path;
      chainFile.text = script->file->text;
      chainFile.conditional = true;
      handler_.enterFile(chainFile);
    }
    const ParsedScript& p = script->commands();
    for (const core::ScriptCommand& command : p.commands) {
      if (command.depth != 0 || command.empty()) continue;
      RanCommand rc;
      rc.script = script->text;
      rc.command = &command;
      rc.base = script->base;
      rc.file = script->file->path;
      rc.line = script->file->lineOf(rc.offset());
      rc.originFile = originFile;
      rc.originLine = originLine;
      rc.holder = holder;
      rc.direct = isFile;
      rc.startup = false;
      const std::string_view name = rc.name();
      if (named(name, "exec")) {
        rc.role = RunRole::Exec;
        handler_.command(rc);
        followExec(rc, chainFile, true);
      } else if (named(name, "alias")) {
        defineAlias(rc, true);
      } else if (isCommand(name)) {
        rc.role = RunRole::Command;
        handler_.command(rc);
        if (named(name, "bind") && command.words.size() >= 3) {
          const std::string_view keyName = command.words[1].text(rc.script);
          if (options_.bindsKey && !options_.bindsKey(keyName)) continue;
          const core::ScriptRange range = core::nestedScript(rc.script, command);
          Script& value = scriptOf(
              *script->file, rc.script.substr(static_cast<std::size_t>(range.start),
                                              static_cast<std::size_t>(range.end - range.start)));
          bindForPlay(core::keySpelling(keyName), value, rc.file, rc.line);
        }
      } else if (aliasValue(name) != nullptr || playAliases_.count(name) != 0) {
        rc.role = RunRole::AliasRun;
        handler_.command(rc);
        usePlayName(name);
      } else {
        rc.role = !name.empty() && (name[0] == '+' || name[0] == '-') ? RunRole::Command
                                                                      : RunRole::Variable;
        handler_.command(rc);
      }
    }
    if (isFile) handler_.leaveFile(chainFile);
  }
}

}  // namespace brindle::editor
