// The check of one file of an exec chain: the chain's other files tell which aliases exist, and
// the execs of the file that run nothing are reported (ExecChain.h has the engine's rules).
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <system_error>

#include "core/FileIO.h"
#include "core/Text.h"
#include "editor/logic/CheckState.h"

namespace brindle::editor {

namespace check {

void Checker::execTrouble(const ExecLine& exec, ExecTrouble trouble, bool quiet, bool through) {
  const std::string name = q(exec.target);
  switch (trouble) {
    case ExecTrouble::Missing:
      if (quiet || !options_.gameDirKnown) return;  // the game looks for it without a word
      add(exec.offset, exec.length, Severity::Warning, ProblemKind::ExecFailed,
          "файла " + name + " нет в папке игры: игра напишет «couldn't exec " +
              core::toUtf8(exec.target) + "» и пойдёт дальше");
      return;
    case ExecTrouble::Unreadable:
      add(exec.offset, exec.length, Severity::Warning, ProblemKind::ExecFailed,
          "файл " + name + " не читается: игра его не выполнит");
      return;
    case ExecTrouble::NotConfig:
      add(exec.offset, exec.length, Severity::Warning, ProblemKind::ExecFailed,
          "exec выполняет только файлы .cfg и .rc: " + name +
              " игра не выполнит, имя пишется с расширением");
      return;
    case ExecTrouble::BadPath:
      add(exec.offset, exec.length, Severity::Warning, ProblemKind::ExecFailed,
          "exec не принимает путь " + name +
              ": в нём нельзя «\\», «:», «~», «..» и «/» в начале; путь считается от папки игры");
      return;
    case ExecTrouble::Usage:
      add(exec.offset, exec.length, Severity::Warning, ProblemKind::ExecFailed,
          "exec принимает ровно одно имя файла: игра покажет подсказку и ничего не выполнит");
      return;
    case ExecTrouble::Loop:
      add(exec.offset, exec.length, Severity::Error, ProblemKind::ExecFailed,
          chainTroubleText(trouble, exec, core::toUtf8(exec.target), through));
      return;
    case ExecTrouble::OverBudget:
      add(exec.offset, exec.length, Severity::Warning, ProblemKind::ExecFailed,
          chainTroubleText(trouble, exec, core::toUtf8(exec.target), through));
      return;
  }
}

}  // namespace check

namespace {

using check::Checker;

// Files beside the checked one that are read for their aliases, and the largest of them: a file
// of aliases is small, and a folder of downloads is not read whole.
constexpr std::size_t kMaxFilesBeside = 64;
constexpr std::uintmax_t kMaxBytesBeside = 256 * 1024;

// The .cfg and .rc files in the folder of `relPath`, when `files` reads a folder on disk; by name,
// at most kMaxFilesBeside.
std::vector<std::string> filesBeside(FileSource& files, const std::string& relPath) {
  std::vector<std::string> out;
  const auto* disk = dynamic_cast<const DiskSource*>(&files);
  if (!disk) return out;
  const std::size_t slash = relPath.rfind('/');
  const std::string folder =
      slash == std::string::npos ? std::string() : relPath.substr(0, slash + 1);
  const std::string self = chainKey(relPath);
  std::error_code error;
  for (std::filesystem::directory_iterator
           it(core::pathFromUtf8(disk->gameDir() + "/" + folder), error),
       end;
       !error && it != end; it.increment(error)) {
    if (!it->is_regular_file(error) || it->file_size(error) > kMaxBytesBeside || error) continue;
    const std::string name = core::utf8Of(it->path().filename());
    const std::string lower = core::asciiLower(name);
    const bool script = (lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".cfg") == 0) ||
                        (lower.size() > 3 && lower.compare(lower.size() - 3, 3, ".rc") == 0);
    if (script && chainKey(folder + name) != self) out.push_back(folder + name);
  }
  std::sort(out.begin(), out.end());
  if (out.size() > kMaxFilesBeside) out.resize(kMaxFilesBeside);
  return out;
}

// Checks the one file of a chain, and learns from the others the aliases they define.
class ChainCheck : public ChainVisitor {
 public:
  ChainCheck(Checker& checker, std::string key, const core::NameSet* known)
      : checker_(checker), key_(std::move(key)) {
    if (known) aliases_ = *known;
  }
  const core::NameSet& aliases() const { return aliases_; }

  void enterFile(const ChainFile& file) override {
    if (!done_ && !checked_ && chainKey(file.path) == key_) checked_ = &file;
  }
  void command(const ChainFile& file, std::string_view script,
               const core::ScriptCommand& command) override {
    if (&file == checked_) {
      checker_.command(script, command);
      if (command.words.size() == 2 && core::sameName(command.name(script), "exec")) {
        current_.offset = command.words[1].start;
        current_.length = command.words[1].length;
        current_.target = std::string(command.words[1].text(script));
      }
      return;
    }
    if (command.words.size() >= 2 && core::sameName(command.name(script), "alias"))
      aliases_.emplace(command.words[1].text(script));
  }
  void missingFile(const ChainFile& from, const ExecLine& exec, ExecTrouble trouble,
                   bool quiet) override {
    if (&from == checked_) checker_.execTrouble(exec, trouble, quiet, false);
  }
  void loop(const ChainFile& from, const ExecLine& exec, ExecTrouble trouble) override {
    if (&from == checked_)
      checker_.execTrouble(exec, trouble, false, false);
    else if (checked_ && trouble == ExecTrouble::Loop && chainKey(exec.target) == key_ &&
             !reported_) {
      // The loop closes deeper in the chain: it is this file's exec that starts it.
      checker_.execTrouble(current_, trouble, false, true);
      reported_ = true;
    }
  }
  void leaveFile(const ChainFile& file) override {
    if (&file == checked_) {
      checked_ = nullptr;
      done_ = true;
    }
  }

 private:
  Checker& checker_;
  std::string key_;
  core::NameSet aliases_;
  const ChainFile* checked_ = nullptr;
  bool done_ = false;
  bool reported_ = false;
  ExecLine current_;
};

}  // namespace

CheckResult checkInChain(std::string_view text, const std::string& relPath, FileSource& files,
                         const core::Vocabulary& vocabulary, const CheckOptions& options,
                         const StartOptions& start) {
  OverlaySource overlay(files);
  overlay.set(relPath, text);
  Checker checker(vocabulary, false, options);
  if (!checker.begin(text)) return checker.finish(text);  // no console script
  ChainCheck chain(checker, chainKey(relPath), options.chainAliases);
  checker.setChainAliases(&chain.aliases());
  std::vector<std::string> startFiles = gameStartFiles(
      overlay, options.kind == ConfigKind::Player ? GameRole::Client : GameRole::DedicatedServer,
      start);
  startFiles.push_back(relPath);
  walkChain(overlay, startFiles, chain);
  // Where the game directory is only a guess, the files beside this one may be those the real
  // one runs at start (a published userconfig.cfg beside the file it binds the aliases of):
  // when the file uses words it does not define, they are walked after it for their aliases.
  // The game writes config.cfg itself and ends it with "exec userconfig.cfg"
  // (Host_WriteConfiguration, rehlds/engine/host.cpp): a game directory published without its
  // config.cfg still runs userconfig.cfg at start.
  if (options.kind == ConfigKind::Player && checker.hasUnknownWords() &&
      !overlay.read("config.cfg", nullptr))
    walkChain(overlay, {"userconfig.cfg"}, chain);
  if (!options.gameDirKnown && checker.hasUnknownWords())
    walkChain(overlay, options.folderFiles ? *options.folderFiles : filesBeside(files, relPath),
              chain);
  CheckResult result = checker.finish(text);
  for (const std::string& name : chain.aliases()) result.aliases.insert(name);
  return result;
}

}  // namespace brindle::editor
