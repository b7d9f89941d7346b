#pragma once
// The console as it runs the files of a game directory: one runner, used by every reader that
// needs to know what runs and in which order (the whole configuration, the keyboard through it,
// the wizard).
//
// The engine's order (rehlds/engine/cmd.cpp of github.com/rehlds/ReHLDS at 1963001):
// - Cbuf_Execute takes one command at a time from the front of the command buffer and runs it
//   (Cmd_ExecuteString). The first word is looked up as a command, then an alias, then a
//   variable (Cmd_ExecuteString_internal: cmd_functions, cmd_alias, Cvar_Command).
// - `exec FILE` puts the file's text in front of the buffer (Cmd_Exec_f, Cbuf_InsertTextLines):
//   the file runs whole, right there, before the rest of the text that ran it.
// - An alias puts its value in front of the buffer (Cbuf_InsertText(a->value)): the value runs
//   right there, with the aliases as they stand when each of its commands runs.
// - `alias NAME` with no value defines an empty alias; a name of 32 characters or more, the
//   name of a variable, and in Counter-Strike cl_autobuy, cl_rebuy, gl_ztrick, gl_ztrick_old and
//   gl_d3dflip are refused (Cmd_Alias_f).
// - The engine registers exec, alias, echo, wait, cmd, stuffcmds and cmdlist itself (Cmd_Init);
//   the client adds bind, unbind, unbindall and setinfo. `unalias` and `unaliasall` are no
//   commands of the game: such a word is looked up as a variable, and runs nothing.
//
// What runs at start is what the start files run, through every alias and exec they run. What a
// key runs when it is pressed is play: the values of the binds, everything those reach through
// aliases (the aliases as they stand after the start and every definition made during play), and
// the files an exec among them runs. When a key bound to "+NAME..." is released, the client runs
// "-NAME" (Key_Event of the Quake-derived client; engine/client/input/in_keys.c of
// github.com/FWGS/xash3d-fwgs), so "-NAME" is reached too. Play is walked with every script
// visited once, so it costs what the scripts hold, whatever the order keys are pressed in.
//
// The start is bounded by the chain's budgets (ChainAccount): the commands run, the file runs and
// the bytes run, each a base plus a multiple of what the distinct files hold. Aliases that run
// each other four times over twelve levels stop at the command budget in milliseconds; the
// engine would run them all.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/ConsoleScript.h"
#include "editor/logic/ExecChain.h"

namespace brindle::editor {

// The commands of one text as the scanner hands them out, kept: every command, also those in the
// values of aliases and binds, in the scanner's order, their words and parents stable.
struct ParsedScript {
  std::vector<core::ScriptWord> words;
  std::vector<core::ScriptCommand> commands;
  std::size_t topLevel = 0;  // commands of depth 0 with words
};
ParsedScript parseScript(std::string_view text);
// The commands of the whole lines from `from` to `to` of `text` (ScriptScanner::scanLines).
ParsedScript parseLines(std::string_view text, core::Offset from, core::Offset to);

// The lines of a text: a CR LF, a lone CR and a lone LF each end one, as the tokenizer reads them.
class LineIndex {
 public:
  explicit LineIndex(std::string_view text);
  int lineOf(core::Offset offset) const;  // from 1

 private:
  std::vector<core::Offset> starts_;  // where each line after the first starts
};

// What a command did in the runner's eyes.
enum class RunRole : std::uint8_t {
  Command,          // a command of the game (bind, setinfo, +attack ...); exec and alias apart
  Exec,             // exec: the file runs right after this report
  AliasDefinition,  // alias NAME [VALUE]; `defined` says whether the game accepted the name
  AliasRun,         // runs an alias's value right after this report
  Variable          // neither command nor alias: the game sets the variable of that name
};

// One command the console runs.
struct RanCommand {
  std::string_view script;             // the text the command's words refer to
  const core::ScriptCommand* command;  // of depth 0 in `script`
  core::Offset base = 0;               // where `script` starts in its file's text
  std::string_view file;               // the file whose text holds the command
  int line = 0;                        // its line there
  // The command of a file's text that started it (itself when direct); for play, the bind or
  // the exec that reaches the script.
  std::string_view originFile;
  int originLine = 0;
  std::span<const std::string> via;  // the aliases it runs inside, outermost first
  std::string_view holder;           // play: "bind KEY", "alias NAME" or "exec FILE"
  RunRole role = RunRole::Command;
  bool direct = true;   // a command of a file's text itself, not of an alias's value
  bool startup = true;  // run at start; false: what pressing a key runs
  bool defined = true;  // AliasDefinition: the name was accepted
  // Where the command starts in its file's text.
  core::Offset offset() const { return base + command->start; }
  std::string_view name() const { return command->name(script); }
};

class RunHandler {
 public:
  virtual ~RunHandler() = default;
  // A file starts and ends running; `file.conditional` for a file only a key press runs.
  virtual void enterFile(const ChainFile& file) { (void)file; }
  virtual void leaveFile(const ChainFile& file) { (void)file; }
  virtual void command(const RanCommand& command) { (void)command; }
  // An exec that runs nothing (Missing ... Usage, `quiet` as ChainVisitor::missingFile), a loop
  // (Loop), or a budget that stops the run (OverBudget: for the command budget `at` is the
  // command that did not run and `exec.target` is empty).
  virtual void trouble(const RanCommand& at, const ExecLine& exec, ExecTrouble trouble,
                       bool quiet) {
    (void)at;
    (void)exec;
    (void)trouble;
    (void)quiet;
  }
};

struct RunOptions {
  // Commands of the game besides those the runner knows (exec, alias, echo, wait, cmd,
  // stuffcmds, cmdlist, bind, unbind, unbindall, setinfo); without it, no others.
  std::function<bool(std::string_view)> isCommand;
  // Variables of the game, for the alias names the engine refuses; without it, none.
  std::function<bool(std::string_view)> isVariable;
  // Whether `bind` takes a key name (core::Vocabulary::bindsKey); without it, every name.
  std::function<bool(std::string_view)> bindsKey;
};

class ConsoleRunner {
 public:
  // `source` serves the files exec names; null: exec runs nothing and reports nothing.
  ConsoleRunner(FileSource* source, RunHandler& handler, RunOptions options = {});
  ~ConsoleRunner();
  ConsoleRunner(const ConsoleRunner&) = delete;
  ConsoleRunner& operator=(const ConsoleRunner&) = delete;

  // Runs the files the game runs at start, in order; a start file that is missing is skipped
  // without a word.
  void runStart(const std::vector<std::string>& startFiles);
  // Runs one text at start as the file `path`; the text outlives the runner.
  void runText(const std::string& path, std::string_view text);
  // Walks what the keys bound after the start run when they are pressed.
  void runPlay();
  // A budget stopped the start.
  bool stopped() const { return stopped_; }

 private:
  struct File;
  struct Script;
  struct Frame;
  File* file(const std::string& path, bool* unreadable);
  File& fileOf(const std::string& path, std::string_view text);
  Script& scriptOf(File& file, std::string_view text);
  Script& scriptFor(std::string_view text);
  void runFile(File& file, const std::string& path, const ChainFile* parent);
  void loop();
  void execute(Frame& frame, const core::ScriptCommand& command);
  void followExec(const RanCommand& at, const ChainFile& from, bool play);
  bool isCommand(std::string_view name) const;
  Script* aliasValue(std::string_view name) const;
  void defineAlias(const RanCommand& at, bool play);
  void playScript(Script& script, std::string holder, std::string_view originFile, int originLine);
  void usePlayName(std::string_view name);
  void bindForPlay(const std::string& key, Script& value, std::string_view file, int line);

  FileSource* source_;
  RunHandler& handler_;
  RunOptions options_;
  ChainAccount account_;
  bool stopped_ = false;
  std::deque<File> files_;
  std::unordered_map<std::string, File*> fileByKey_;
  std::deque<Script> scripts_;
  std::unordered_map<const char*, std::vector<Script*>> scriptByStart_;
  std::vector<std::unique_ptr<Frame>> frames_;
  std::unordered_map<std::string, int> runningFiles_;  // by chainKey
  core::NameSet runningAliases_;
  std::vector<std::string> via_;
  // The aliases and binds as they stand; binds by core::keySpelling, in the order first set.
  std::unordered_map<std::string, Script*, core::NoCaseHash, core::NoCaseEqual> aliases_;
  struct Bind {
    std::string key;
    Script* value = nullptr;
    std::string_view file;
    int line = 0;
  };
  std::vector<Bind> binds_;
  std::unordered_map<std::string, std::size_t> bindIndex_;
  // Play.
  struct PlayItem {
    Script* script;
    std::string holder;
    std::string_view originFile;
    int originLine;
  };
  std::vector<PlayItem> playQueue_;
  std::unordered_map<const Script*, bool> playDone_;
  std::unordered_map<std::string, std::vector<Script*>, core::NoCaseHash, core::NoCaseEqual>
      playAliases_;
  core::NameSet playUsed_;
  std::unordered_map<std::string, bool> playFilesDone_;
};

}  // namespace brindle::editor
