#pragma once
// The files the game runs: those it runs by itself at start, in its order, and every file an
// `exec` line runs, followed the way the engine follows them. Every reader of a chain (the
// config checks, the effective configuration) walks it through one ChainVisitor, so the engine's
// rules live here once.
//
// Rules of the engine's exec command (Cmd_Exec_f, rehlds/engine/cmd.cpp of
// github.com/dreamstalker/rehlds at b29740c):
// - `exec` takes exactly one argument; with more it prints its usage and runs nothing.
// - A name holding '\', ':', '~' or "..", or starting with '/', is refused ("invalid path").
// - The name must end in ".cfg" or ".rc" (letter case ignored); nothing is appended to it.
// - The file is looked up relative to the game directory (file system path ids GAMECONFIG, then
//   GAME, then any); the game's file system ignores letter case on Windows, where the game runs.
// - A file that is not there prints "couldn't exec NAME", except names holding autoexec.cfg,
//   userconfig.cfg, hw/opengl.cfg, joystick.cfg or game.cfg, which the game looks for without a
//   word when they are missing.
// - The file's text is put in front of the command buffer, so it runs completely before the
//   rest of the file that ran it (depth first). A UTF-8 byte-order mark at its start is skipped
//   (the REHLDS_FIXES block of Cmd_Exec_f; the scanner skips it, see core/ConsoleScript).
// The engine has no guard against a file that runs itself: it fills its command buffer over and
// over. The walk stops such a loop and reports it. The engine has no depth limit either; what
// bounds it is its command buffer of 16,384 bytes (MAX_CMD_BUFFER, Cbuf_InsertTextLines). The
// walk instead keeps budgets linear in what it reads (ChainAccount): file runs and bytes run,
// each a fixed base plus a multiple of the distinct files read, so a chain that runs the same
// files over and over stops at a bound whatever its shape, and every legal chain runs whole.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/ConsoleScript.h"

namespace brindle::editor {

// Reads the files of a game directory by the names `exec` gives them.
class FileSource {
 public:
  virtual ~FileSource() = default;
  // The bytes of the file at `relPath` ('/'-separated, relative to the game directory, letter
  // case ignored), or nothing when there is no such file. `unreadable` is set when the file is
  // there but cannot be read. The text stays valid as long as the source does, until it is told
  // to forget or replace that file.
  virtual std::optional<std::string_view> read(const std::string& relPath, bool* unreadable) = 0;
};

std::string chainKey(std::string_view relPath);

// Files held in memory, by their chain key: the fuzzing harnesses, the tests and the benchmarks
// build game directories this way.
class MemorySource : public FileSource {
 public:
  std::map<std::string, std::string> files;  // by chainKey
  void add(std::string_view relPath, std::string text) {
    files[chainKey(relPath)] = std::move(text);
  }
  std::optional<std::string_view> read(const std::string& relPath, bool* unreadable) override;
};

// The files of a game directory on disk. Reads each file once and keeps it, so a walk that
// meets a file again, or a later walk over the same source, does not read the disk again.
class DiskSource : public FileSource {
 public:
  explicit DiskSource(std::string gameDir);  // UTF-8 path
  std::optional<std::string_view> read(const std::string& relPath, bool* unreadable) override;
  // Forgets what was read, so that the next walk sees the files as they are now.
  void refresh() { cache_.clear(); }
  const std::string& gameDir() const { return gameDir_; }

 private:
  struct Entry {
    bool found = false;
    bool unreadable = false;
    std::string text;
  };
  std::string gameDir_;
  std::map<std::string, Entry> cache_;  // by lower-case relative path
};

// Another source with some files replaced by texts held in memory: the editor's unsaved
// documents count with the text the user sees.
class OverlaySource : public FileSource {
 public:
  explicit OverlaySource(FileSource& base) : base_(base) {}
  // The file at `relPath` reads as `text`, which the caller keeps alive and unchanged while the
  // overlay is in use (the editor's document, the file the command line checks).
  void set(const std::string& relPath, std::string_view text);
  std::optional<std::string_view> read(const std::string& relPath, bool* unreadable) override;

 private:
  FileSource& base_;
  std::map<std::string, std::string_view> texts_;  // by chainKey
};

// A file of the chain while it is being walked.
struct ChainFile {
  std::string path;          // relative to the game directory, as exec or the start order names it
  std::string_view text;     // its bytes (CP1251); valid until walkChain returns
  int depth = 0;             // 0 for a file the walk starts with
  bool conditional = false;  // run by an exec inside an alias or bind: only when that runs
  const ChainFile* parent = nullptr;  // the file whose exec ran it, null for a start file
};

enum class ExecTrouble : std::uint8_t {
  Missing,     // no such file; the game prints "couldn't exec" (quiet is set for the few names
               // the game looks for silently)
  Unreadable,  // the file is there but cannot be read
  NotConfig,   // the name does not end in .cfg or .rc
  BadPath,     // '\', ':', '~', "..", or a leading '/'
  Usage,       // not exactly one argument
  Loop,        // the file is already running: it would run itself over and over
  OverBudget,  // a budget of the chain ran out (ExecLine::budget tells which): not followed
  TooDeep = OverBudget  // the former name
};

// The budgets of one run of a chain (see ChainAccount).
enum class ChainBudget : std::uint8_t {
  None,
  Files,    // runs of files, start files and every exec that runs one
  Bytes,    // bytes of the files run, each run counted
  Commands  // commands run, those of alias values and of files run by exec among them
};

// An `exec` line that ran, or tried to run, a file.
struct ExecLine {
  core::Offset offset = 0;  // the exec command's argument (or its name when it has none)
  core::Offset length = 0;
  std::string target;        // the file name as the console reads it
  bool conditional = false;  // inside the value of an alias or bind
  // OverBudget: the budget that ran out, and its size at that moment.
  ChainBudget budget = ChainBudget::None;
  std::size_t budgetLimit = 0;
};

// The budgets, each linear in what the run reads: a fixed base plus a multiple of what the
// distinct files read hold. One account serves a whole run: walkChain counts files and bytes,
// the console runner (ConsoleRun.h) commands too, so that `check` and `effective` stop a chain
// at the same exec.
class ChainAccount {
 public:
  static constexpr std::size_t kFileRunsBase = 16384;
  static constexpr std::size_t kBytesBase = std::size_t{1} << 20;
  static constexpr std::size_t kCommandsBase = 16384;
  static constexpr std::size_t kPerDistinct = 16;  // runs allowed per distinct file, byte, command

  // A run of the file `key` (chainKey) of `bytes` bytes and `commands` commands. Counts it and
  // returns ChainBudget::None, or returns the budget it would exceed (and its size through
  // `limit`) without counting it.
  ChainBudget enterFile(const std::string& key, std::size_t bytes, std::size_t commands,
                        std::size_t* limit);
  // One command run: false (and the budget's size through `limit`) when it would exceed the
  // command budget.
  bool runCommand(std::size_t* limit);
  std::size_t commandsRun() const { return commandsRun_; }

 private:
  std::unordered_set<std::string> seen_;  // keys of the distinct files read
  std::size_t distinctBytes_ = 0;
  std::size_t distinctCommands_ = 0;
  std::size_t fileRuns_ = 0;
  std::size_t bytesRun_ = 0;
  std::size_t commandsRun_ = 0;
};

// The message (UTF-8) for a loop or a budget that stops a chain, the same in every report.
// `target` is the file name of the exec (UTF-8); `through`: a loop closed by files that the
// target runs, rather than by the target itself.
std::string chainTroubleText(ExecTrouble trouble, const ExecLine& exec, std::string_view target,
                             bool through = false);

class ChainVisitor {
 public:
  virtual ~ChainVisitor() = default;
  virtual void enterFile(const ChainFile& file) { (void)file; }
  // Every command of the file, also those in the values of aliases and binds, as
  // core::ScriptScanner hands them out. An exec at depth 0 is followed right after its command.
  virtual void command(const ChainFile& file, std::string_view script,
                       const core::ScriptCommand& command) {
    (void)file;
    (void)script;
    (void)command;
  }
  // An exec that runs nothing. `quiet`: the game says nothing about it (a missing file of the
  // names it looks for silently).
  virtual void missingFile(const ChainFile& from, const ExecLine& exec, ExecTrouble trouble,
                           bool quiet) {
    (void)from;
    (void)exec;
    (void)trouble;
    (void)quiet;
  }
  // An exec of a file that is already running (Loop), or one over a budget (OverBudget, with
  // exec.budget); not followed.
  virtual void loop(const ChainFile& from, const ExecLine& exec, ExecTrouble trouble) {
    (void)from;
    (void)exec;
    (void)trouble;
  }
  virtual void leaveFile(const ChainFile& file) { (void)file; }
};

struct WalkOptions {
  // Follow also the execs in the values of aliases and binds (files that run when the user
  // presses a key), marked conditional. Each such file is walked once.
  bool followConditional = true;
};

// Walks `startFiles` in order and every file their execs run. A start file that is not there is
// skipped without a word, as the game skips the files it looks for.
void walkChain(FileSource& source, const std::vector<std::string>& startFiles,
               ChainVisitor& visitor, const WalkOptions& options = {});

// Whether an exec's argument is one the engine accepts, and the trouble if not (Usage is not
// decided here). Returns nothing for a good name.
std::optional<ExecTrouble> execNameTrouble(std::string_view name);
// Whether the game looks for this file without a word when it is missing.
bool quietWhenMissing(std::string_view name);
// The lower-case, '/'-separated form of a relative path, "./" parts removed: the key by which
// the chain tells files apart.
std::string chainKey(std::string_view relPath);

// Who runs the files: the game on a player's computer, a dedicated server, a listen server
// (a player's game that also serves).
enum class GameRole : std::uint8_t { Client, DedicatedServer, ListenServer };

struct StartOptions {
  // Whether the game runs autoexec.cfg at start when the game directory has no valve.rc of its
  // own. Builds differ: older ones run it from their valve.rc, the current one does not unless a
  // launch option (+exec autoexec.cfg) asks for it.
  bool autoexec = true;
};

// The files the game runs by itself, in its order; config.cfg runs userconfig.cfg by its own last
// line. Client (rehlds/engine/host.cpp Host_Init: "exec valve.rc"; sys_engine.cpp
// ForceReloadProfile: "exec config.cfg" when the player's profile loads, after valve.rc;
// host.cpp Host_WriteConfiguration ends config.cfg with "exec userconfig.cfg"):
//   valve.rc when the game directory has one, else autoexec.cfg (see StartOptions); config.cfg.
// Dedicated server (ReGameDLL_CS regamedll/dlls/game.cpp GameDLLInit: "exec game_init.cfg";
// rehlds/engine/sys_dll2.cpp: "exec" of servercfgfile, server.cfg; ReGameDLL_CS
// regamedll/dlls/gamerules.cpp InstallGameRules: "exec game.cfg" at every map):
//   game_init.cfg, server.cfg, game.cfg.
// Listen server (the client's files, then game_init.cfg, game.cfg and, from the multiplayer
// rules' constructor in regamedll/dlls/multiplay_gamerules.cpp, lservercfgfile,
// listenserver.cfg).
std::vector<std::string> gameStartFiles(FileSource& source, GameRole role,
                                        const StartOptions& options = {});

}  // namespace brindle::editor
