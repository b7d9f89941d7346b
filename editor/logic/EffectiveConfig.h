#pragma once
// What the game ends up with after running the files of a game directory: every variable, key
// and alias with the line that decides it and every earlier line it overrides, the files that
// are run but missing, exec loops, and what only runs during play (the values of aliases and
// binds). Built as a visitor of the exec chain, so the game's start order and the engine's exec
// rules are the chain's.
//
// The console's rules followed here (rehlds/engine/cmd.cpp and cvar.cpp of
// github.com/dreamstalker/rehlds): a line runs a command when its first word names one, else an
// alias when one has that name, else sets the variable of that name to its first argument
// (Cmd_ExecuteString, Cvar_Command). Variable and alias names ignore letter case; so do key
// names. `bind KEY VALUE` and `alias NAME VALUE` keep the rest of the line as their value; a bind
// or alias with no value only prints. An alias run by a line of a file at start runs its value
// right there; the commands inside the value of a bind or of an alias that no file runs at start
// take effect only when a key is pressed.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/logic/ExecChain.h"

namespace brindle::editor {

// A line of a file of the chain.
struct SourceLine {
  std::string file;  // relative to the game directory, as the chain names it
  int line = 0;      // from 1
};

enum class EntryKind : std::uint8_t { Variable, Key, Alias };

// One line that set an entry, or removed it.
struct Assignment {
  SourceLine at;
  std::string value;      // the variable's value, or the command text of a key or alias
  std::string removedBy;  // "unbind", "unbindall", "unaliasall" when this line removed it
  std::string via;        // the alias whose value the line ran, when an alias ran at start

  bool removed() const { return !removedBy.empty(); }
};

struct EffectiveEntry {
  EntryKind kind = EntryKind::Variable;
  std::string name;  // as the deciding line spelled it; keys in the engine's spelling
  // Every line that set or removed it, in the order the game ran them: back() decides.
  std::vector<Assignment> history;
  // An alias or bind changes it again during play (see EffectiveConfig::runtime).
  bool changesDuringPlay = false;
  // Keys: the alias the bind's first command runs, and that alias's value (one level), as the
  // aliases stand at the end; empty when the first command is no alias.
  std::string alias;
  std::string aliasValue;

  const Assignment& decisive() const { return history.back(); }
  bool present() const { return !history.back().removed(); }
  // The number of different files among the lines that set it.
  std::size_t fileCount() const;
};

// A line inside the value of an alias or bind that sets something, or a file that only such a
// value runs: it takes effect only when a key is pressed ("меняется во время игры").
struct RuntimeChange {
  SourceLine at;
  EntryKind kind = EntryKind::Variable;
  std::string name;
  std::string value;
  std::string holder;  // "alias NAME", "bind KEY", or "exec NAME" for a file run that way
};

// A file the chain tries to run but cannot, or a bind of a key name the engine does not know.
struct ChainProblem {
  enum class Kind : std::uint8_t { Missing, Unreadable, BadName, Loop, TooDeep, UnknownKey };
  Kind kind = Kind::Missing;
  SourceLine at;       // the exec or bind line
  std::string target;  // the file or key named
  bool quiet = false;  // the game looks for this file without a word when it is missing
};

// An unbindall or unaliasall that took effect, and how many binds or aliases it removed.
struct Clearing {
  SourceLine at;
  std::string command;
  std::size_t removed = 0;
};

struct EffectiveConfig {
  std::vector<std::string> files;         // every file run, in the order the game starts them
  std::vector<EffectiveEntry> variables;  // sorted by name, letter case ignored
  std::vector<EffectiveEntry> keys;
  std::vector<EffectiveEntry> aliases;
  std::vector<RuntimeChange> duringPlay;
  std::vector<ChainProblem> problems;
  std::vector<Clearing> clearings;

  const std::vector<EffectiveEntry>& entries(EntryKind kind) const;
  // The entry of that name (letter case ignored), or null.
  const EffectiveEntry* find(EntryKind kind, std::string_view name) const;
};

struct EffectiveOptions {
  // Whether a name is a console command rather than a variable: a line starting with a
  // command sets no variable. Names it does not know are taken for variables.
  std::function<bool(std::string_view)> isCommand;
  // Whether `bind` accepts a key name (letter case ignored), and the engine's spelling of it;
  // without it every name is accepted and spelled as written.
  std::function<bool(std::string_view)> isKey;
};

// The effective configuration of the files `startFiles` run, following every exec. Linear in
// the total size of the files.
EffectiveConfig computeEffective(FileSource& source, const std::vector<std::string>& startFiles,
                                 const EffectiveOptions& options = {});

// One file alone, its execs not followed: what the file itself sets.
EffectiveConfig computeEffectiveOfText(const std::string& path, std::string_view text,
                                       const EffectiveOptions& options = {});

// A key name in the engine's spelling: names of one character lower case, the others upper;
// ";" is SEMICOLON, the key's other name.
std::string keySpelling(std::string_view name);

// "config.cfg:88".
std::string lineText(const SourceLine& at);
// One entry with its history in a line of text (UTF-8):
//   sensitivity = 2.5  (userconfig.cfg:12; переопределяет config.cfg:88 "3")
// Values are the files' bytes (CP1251), converted by the caller's `convert`.
std::string describeEntry(const EffectiveEntry& entry,
                          const std::function<std::string(std::string_view)>& convert);
// The whole configuration as JSON (UTF-8), values converted by `convert`.
std::string effectiveJson(const EffectiveConfig& config,
                          const std::function<std::string(std::string_view)>& convert);

}  // namespace brindle::editor
