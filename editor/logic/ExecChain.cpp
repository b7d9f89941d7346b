#include "editor/logic/ExecChain.h"

#include <filesystem>
#include <set>
#include <system_error>
#include <unordered_map>

#include "core/FileIO.h"
#include "core/Text.h"
#include "editor/logic/ConsoleRun.h"

namespace brindle::editor {

namespace fs = std::filesystem;

namespace {

using core::asciiLower;

std::string lowered(std::string_view s) { return core::asciiLower(s); }

// A file or folder of `dir` whose name is `name` without regard to letter case: the game's
// file system on Windows finds "Config.CFG" for "config.cfg".
std::optional<fs::path> findEntry(const fs::path& dir, const std::string& name) {
  std::error_code ec;
  fs::path exact = dir / core::pathFromUtf8(name);
  if (fs::exists(exact, ec)) return exact;
  for (const auto& e : fs::directory_iterator(dir, ec)) {
    if (core::sameName(core::utf8Of(e.path().filename()), name)) return e.path();
  }
  return std::nullopt;
}

}  // namespace

// ---------------------------------------------------------------- names

std::string chainKey(std::string_view relPath) {
  std::string out;
  std::size_t i = 0;
  while (i <= relPath.size()) {
    std::size_t j = relPath.find('/', i);
    if (j == std::string_view::npos) j = relPath.size();
    const std::string_view part = relPath.substr(i, j - i);
    if (!part.empty() && part != ".") {
      if (!out.empty()) out += '/';
      out += lowered(part);
    }
    i = j + 1;
  }
  return out;
}

std::optional<ExecTrouble> execNameTrouble(std::string_view name) {
  if (name.empty()) return ExecTrouble::Usage;  // the engine returns without a word
  if (name.find('\\') != std::string_view::npos || name.find(':') != std::string_view::npos ||
      name.find('~') != std::string_view::npos || name.find("..") != std::string_view::npos ||
      name.front() == '/')
    return ExecTrouble::BadPath;
  // COM_FileExtension: the text after the last '.' of the name's last part.
  const std::size_t slash = name.rfind('/');
  const std::string_view last = slash == std::string_view::npos ? name : name.substr(slash + 1);
  const std::size_t dot = last.rfind('.');
  const std::string_view ext =
      dot == std::string_view::npos ? std::string_view() : last.substr(dot + 1);
  if (!core::sameName(ext, "cfg") && !core::sameName(ext, "rc")) return ExecTrouble::NotConfig;
  return std::nullopt;
}

bool quietWhenMissing(std::string_view name) {
  // Cmd_Exec_f compares with strstr, letter case kept.
  for (const std::string_view quiet :
       {"autoexec.cfg", "userconfig.cfg", "hw/opengl.cfg", "joystick.cfg", "game.cfg"})
    if (name.find(quiet) != std::string_view::npos) return true;
  return false;
}

// ---------------------------------------------------------------- sources

DiskSource::DiskSource(std::string gameDir) : gameDir_(std::move(gameDir)) {}

std::optional<std::string_view> MemorySource::read(const std::string& relPath, bool* unreadable) {
  if (unreadable) *unreadable = false;
  const auto found = files.find(chainKey(relPath));
  if (found == files.end()) return std::nullopt;
  return std::string_view(found->second);
}

std::optional<std::string_view> DiskSource::read(const std::string& relPath, bool* unreadable) {
  const std::string key = chainKey(relPath);
  auto it = cache_.find(key);
  if (it == cache_.end()) {
    Entry entry;
    fs::path at = core::pathFromUtf8(gameDir_);
    bool found = !key.empty();
    std::size_t i = 0;
    while (found && i < key.size()) {
      std::size_t j = key.find('/', i);
      if (j == std::string::npos) j = key.size();
      const std::optional<fs::path> next = findEntry(at, key.substr(i, j - i));
      if (!next)
        found = false;
      else
        at = *next;
      i = j + 1;
    }
    std::error_code ec;
    if (found && fs::is_regular_file(at, ec)) {
      entry.found = true;
      core::ReadResult r = core::readFile(core::utf8Of(at));
      if (r.ok)
        entry.text = std::move(r.data);
      else
        entry.unreadable = true;
    } else if (found) {
      entry.found = true;  // a folder or something else by that name: the game cannot read it
      entry.unreadable = true;
    }
    it = cache_.emplace(key, std::move(entry)).first;
  }
  if (unreadable) *unreadable = it->second.unreadable;
  if (!it->second.found || it->second.unreadable) return std::nullopt;
  return std::string_view(it->second.text);
}

void OverlaySource::set(const std::string& relPath, std::string_view text) {
  texts_[chainKey(relPath)] = text;
}

std::optional<std::string_view> OverlaySource::read(const std::string& relPath, bool* unreadable) {
  if (const auto it = texts_.find(chainKey(relPath)); it != texts_.end()) {
    if (unreadable) *unreadable = false;
    return it->second;
  }
  return base_.read(relPath, unreadable);
}

// ---------------------------------------------------------------- budgets

ChainBudget ChainAccount::enterFile(const std::string& key, std::size_t bytes, std::size_t commands,
                                    std::size_t* limit) {
  if (seen_.insert(key).second) {
    distinctBytes_ += bytes;
    distinctCommands_ += commands;
  }
  const std::size_t runs = kFileRunsBase + kPerDistinct * seen_.size();
  if (fileRuns_ + 1 > runs) {
    if (limit) *limit = runs;
    return ChainBudget::Files;
  }
  const std::size_t byteLimit = kBytesBase + kPerDistinct * distinctBytes_;
  if (bytesRun_ + bytes > byteLimit) {
    if (limit) *limit = byteLimit;
    return ChainBudget::Bytes;
  }
  ++fileRuns_;
  bytesRun_ += bytes;
  return ChainBudget::None;
}

bool ChainAccount::runCommand(std::size_t* limit) {
  const std::size_t most = kCommandsBase + kPerDistinct * distinctCommands_;
  if (commandsRun_ + 1 > most) {
    if (limit) *limit = most;
    return false;
  }
  ++commandsRun_;
  return true;
}

std::string chainTroubleText(ExecTrouble trouble, const ExecLine& exec, std::string_view target,
                             bool through) {
  const std::string name = "«" + std::string(target) + "»";
  if (trouble == ExecTrouble::Loop)
    return through ? "файлы, которые запускает " + name +
                         ", снова запускают этот файл: игра будет выполнять их по кругу"
                   : "файл " + name + " уже выполняется: игра будет выполнять его по кругу";
  const std::string limit = std::to_string(exec.budgetLimit);
  switch (exec.budget) {
    case ChainBudget::Files:
      return "цепочка exec превысила предел запусков файлов (" + limit + "): " + name +
             " и всё после него не прослежено";
    case ChainBudget::Bytes:
      return "цепочка exec превысила предел объёма выполненных файлов (" + limit +
             " байт): " + name + " и всё после него не прослежено";
    case ChainBudget::Commands:
      return "выполнено команд больше предела (" + limit +
             "): алиасы или exec запускают друг друга слишком много раз, дальше не прослежено";
    case ChainBudget::None:
      break;
  }
  return "цепочка exec за " + name + " не прослежена";
}

// ---------------------------------------------------------------- the walk

namespace {

// Walks the chain with a stack of its own, one frame per running file, so that a chain of
// thousands of nested files costs no call stack.
class Walker {
 public:
  Walker(FileSource& source, ChainVisitor& visitor, const WalkOptions& options)
      : source_(source), visitor_(visitor), options_(options) {}

  void start(const std::string& path) {
    if (stopped_) return;
    bool unreadable = false;
    const std::optional<std::string_view> text = source_.read(path, &unreadable);
    if (!text) return;
    std::size_t limit = 0;
    // The walk runs no command: only the files and bytes are counted.
    if (account_.enterFile(chainKey(path), text->size(), 0, &limit) != ChainBudget::None) return;
    push(path, *text, false, nullptr);
    run();
  }

 private:
  // A running file, read a block of lines at a time: a file of many megabytes is never held as
  // commands all at once.
  struct Frame {
    ChainFile file;
    ParsedScript block;
    std::size_t next = 0;  // in block.commands
    core::Offset pos = 0;  // where the next block starts
    std::string key;

    bool readBlock() {
      const auto n = static_cast<core::Offset>(file.text.size());
      if (pos >= n) return false;
      constexpr core::Offset kBlock = 64 * 1024;
      core::Offset end = std::min(n, pos + kBlock);
      while (end < n && file.text[static_cast<std::size_t>(end)] != '\n' &&
             file.text[static_cast<std::size_t>(end)] != '\r')
        ++end;
      block = parseLines(file.text, pos, end);
      next = 0;
      const auto byteAt = [this](core::Offset o) { return file.text[static_cast<std::size_t>(o)]; };
      pos = end;
      if (pos < n && byteAt(pos) == '\r' && pos + 1 < n && byteAt(pos + 1) == '\n')
        pos += 2;
      else if (pos < n)
        ++pos;  // a lone CR or LF
      return true;
    }
  };

  void push(const std::string& path, std::string_view text, bool conditional,
            const ChainFile* parent) {
    auto frame = std::make_unique<Frame>();
    frame->file.path = path;
    frame->file.text = text;
    frame->file.depth = parent == nullptr ? 0 : parent->depth + 1;
    frame->file.conditional = conditional;
    frame->file.parent = parent;
    // A UTF-8 byte-order mark at the start is no command (ScriptScanner::scan).
    frame->pos = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    frame->key = chainKey(path);
    ++running_[frame->key];
    visitor_.enterFile(frame->file);
    frames_.push_back(std::move(frame));
  }

  void run() {
    while (!frames_.empty()) {
      Frame& f = *frames_.back();
      if (!stopped_ && f.next >= f.block.commands.size() && f.readBlock()) continue;
      if (stopped_ || f.next >= f.block.commands.size()) {
        visitor_.leaveFile(f.file);
        const auto it = running_.find(f.key);
        if (it != running_.end() && --it->second == 0) running_.erase(it);
        frames_.pop_back();
        continue;
      }
      const core::ScriptCommand& command = f.block.commands[f.next++];
      visitor_.command(f.file, f.file.text, command);
      if (!command.words.empty() && core::sameName(command.name(f.file.text), "exec"))
        exec(f.file, f.file.text, command);
    }
  }

  void exec(const ChainFile& from, std::string_view script, const core::ScriptCommand& command) {
    const bool conditional = from.conditional || command.depth > 0;
    if (conditional && !options_.followConditional) return;
    ExecLine line;
    line.conditional = conditional;
    const auto& words = command.words;
    const core::ScriptWord& at = words.size() >= 2 ? words[1] : words[0];
    line.offset = at.start;
    line.length = at.length;
    if (words.size() != 2) {
      visitor_.missingFile(from, line, ExecTrouble::Usage, false);
      return;
    }
    line.target = std::string(words[1].text(script));
    if (const auto trouble = execNameTrouble(line.target)) {
      visitor_.missingFile(from, line, *trouble, false);
      return;
    }
    const std::string key = chainKey(line.target);
    if (running_.count(key) != 0) {
      // A key press that runs a file again is no loop of the start.
      if (!conditional) visitor_.loop(from, line, ExecTrouble::Loop);
      return;
    }
    if (conditional && !conditionalDone_.insert(key).second) return;
    bool unreadable = false;
    const std::optional<std::string_view> text = source_.read(line.target, &unreadable);
    if (!text) {
      visitor_.missingFile(from, line, unreadable ? ExecTrouble::Unreadable : ExecTrouble::Missing,
                           !unreadable && quietWhenMissing(line.target));
      return;
    }
    std::size_t limit = 0;
    const ChainBudget over = account_.enterFile(key, text->size(), 0, &limit);
    if (over != ChainBudget::None) {
      line.budget = over;
      line.budgetLimit = limit;
      visitor_.loop(from, line, ExecTrouble::OverBudget);
      stopped_ = true;
      return;
    }
    push(line.target, *text, conditional, &from);
  }

  FileSource& source_;
  ChainVisitor& visitor_;
  WalkOptions options_;
  ChainAccount account_;
  bool stopped_ = false;
  std::vector<std::unique_ptr<Frame>> frames_;
  std::unordered_map<std::string, int> running_;
  std::set<std::string> conditionalDone_;
};

}  // namespace

void walkChain(FileSource& source, const std::vector<std::string>& startFiles,
               ChainVisitor& visitor, const WalkOptions& options) {
  Walker walker(source, visitor, options);
  for (const std::string& path : startFiles) walker.start(path);
}

std::vector<std::string> gameStartFiles(FileSource& source, GameRole role,
                                        const StartOptions& options) {
  std::vector<std::string> files;
  if (role != GameRole::DedicatedServer) {
    bool unreadable = false;
    if (source.read("valve.rc", &unreadable) || unreadable)
      files.emplace_back("valve.rc");
    else if (options.autoexec)
      files.emplace_back("autoexec.cfg");
    files.emplace_back("config.cfg");
  }
  if (role == GameRole::Client) return files;
  files.emplace_back("game_init.cfg");
  if (role == GameRole::DedicatedServer) files.emplace_back("server.cfg");
  files.emplace_back("game.cfg");
  if (role == GameRole::ListenServer) files.emplace_back("listenserver.cfg");
  return files;
}

}  // namespace brindle::editor
