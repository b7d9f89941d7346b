#include "editor/logic/ExecChain.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "core/FileIO.h"
#include "core/Text.h"

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

// ---------------------------------------------------------------- the walk

namespace {

class Walker {
 public:
  Walker(FileSource& source, ChainVisitor& visitor, const WalkOptions& options)
      : source_(source), visitor_(visitor), options_(options) {}

  void start(const std::string& path) {
    bool unreadable = false;
    const std::optional<std::string_view> text = source_.read(path, &unreadable);
    if (text) walkFile(path, *text, 0, false, nullptr);
  }

 private:
  // Hands the commands of one file on and follows its execs.
  class FileScan : public core::ScriptVisitor {
   public:
    FileScan(Walker& walker, const ChainFile& file) : walker_(walker), file_(file) {}
    void command(std::string_view script, const core::ScriptCommand& command) override {
      walker_.visitor_.command(file_, script, command);
      if (command.words.empty() || !core::sameName(command.name(script), "exec")) return;
      walker_.exec(file_, script, command);
    }

   private:
    Walker& walker_;
    const ChainFile& file_;
  };

  void walkFile(const std::string& path, std::string_view text, int depth, bool conditional,
                const ChainFile* parent) {
    ChainFile file;
    file.path = path;
    file.text = text;
    file.depth = depth;
    file.conditional = conditional;
    file.parent = parent;
    ++entered_;
    const std::string key = chainKey(path);
    running_.push_back(key);
    visitor_.enterFile(file);
    // A scanner keeps its word buffers while it scans, so every level of the chain has its own.
    while (scanners_.size() <= static_cast<std::size_t>(depth))
      scanners_.push_back(std::make_unique<core::ScriptScanner>());
    FileScan scan(*this, file);
    scanners_[static_cast<std::size_t>(depth)]->scan(text, scan);
    visitor_.leaveFile(file);
    running_.pop_back();
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
    bool running = false;
    for (const std::string& k : running_) running = running || k == key;
    if (running) {
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
    if (from.depth + 1 > kMaxExecDepth || entered_ >= kMaxChainFiles) {
      visitor_.loop(from, line, ExecTrouble::TooDeep);
      return;
    }
    walkFile(line.target, *text, from.depth + 1, conditional, &from);
  }

  FileSource& source_;
  ChainVisitor& visitor_;
  WalkOptions options_;
  std::vector<std::string> running_;
  std::set<std::string> conditionalDone_;
  std::vector<std::unique_ptr<core::ScriptScanner>> scanners_;
  std::size_t entered_ = 0;
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
