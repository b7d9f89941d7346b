#pragma once
// Checks of a config against what the game's console does with it: the mistakes that the game
// silently ignores or that freeze it. A check reads the text and never changes it.
//
// Limits and rules of the engine (public sources of github.com/dreamstalker/rehlds):
// - Cmd_Alias_f (rehlds/engine/cmd.cpp) refuses alias names of MAX_ALIAS_NAME (32) characters
//   or more (cmdalias_t keeps char name[32], common/cdll_int.h of the game SDK), names of
//   variables, and in this game the names cl_autobuy, cl_rebuy, gl_ztrick, gl_ztrick_old and
//   gl_d3dflip.
// - Cmd_ExecuteString (cmd.cpp) looks a command name up among the commands first, then the
//   aliases, then the variables; an alias runs by inserting its text in front of the command
//   buffer, so an alias that reaches itself again before a `wait` never lets the frame end.
// - Info_SetValueForStarKey (rehlds/engine/info.cpp, limits in info.h) refuses setinfo keys and
//   values of MAX_KV_LEN (127) characters or more, keys that start with '*', keys and values
//   with '\', '"' or "..", an empty key, and a pair that would make the user-info string reach
//   MAX_INFO_STRING (256) bytes with its NUL. The variables that Info_IsKeyImportant names
//   (name, model, rate, topcolor, bottomcolor, cl_updaterate, cl_lw, cl_lc) live in the same
//   string.
// - Cbuf_Execute (cmd.cpp) copies a command into a line of MAX_CMD_LINE (1024) bytes: longer
//   commands lose their end. Cmd_Exec_f reads a file as a C string, so nothing after a NUL byte
//   runs.
// - Key_StringToKeynum (engine/client/keys.c of github.com/FWGS/xash3d-fwgs): a one-character
//   key name is that character exactly, so "A" names no key of the keyboard; longer names
//   compare without regard to letter case. The keyboard sends letters in lower case, so a bind of
//   "P" binds a code no key sends.
// - Cmd_ExecuteString (cmd.cpp): a word that is no command, alias or variable goes to the server
//   by Cmd_ForwardToServer when the client is connected; a server's plugins may know it. So in a
//   player's config an unknown word is only a note, unless one known word is clearly closest.
// - Cvar_Command (rehlds/engine/cvar.cpp) sets a variable to its first argument: in
//   "sensitivity = 2" that is "=".
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/ConsoleScript.h"
#include "editor/logic/ExecChain.h"
#include "editor/logic/FileKind.h"

namespace brindle::editor {

inline constexpr std::size_t kMaxAliasName = 31;      // characters of an alias name
inline constexpr std::size_t kMaxInfoText = 126;      // characters of a setinfo key or value
inline constexpr std::size_t kMaxUserinfo = 255;      // characters of the user-info string
inline constexpr std::size_t kMaxCommandLine = 1023;  // characters of one command

// A note tells what the check cannot judge (the words of an add-on no source knows).
enum class Severity : std::uint8_t { Error, Warning, Note };

enum class ProblemKind : std::uint8_t {
  UnclosedQuote,
  NulByte,
  CommandTooLong,
  CommandInComment,  // a ';' inside a comment: the rest of the line runs
  UnknownWord,
  BadKeyName,
  UnpairedAlias,  // a "+" alias without its "-" alias, or the other way round
  AliasCycle,     // aliases that call each other without a wait
  AliasNameTooLong,
  AliasNameTaken,  // the name of a variable, or one the game keeps for itself
  SetinfoKey,
  SetinfoValue,
  UserinfoTooLong,
  KeyBoundTwice,
  BadValue,       // a value outside the range or list the word's source gives
  WrongSide,      // a server word in a player's config, a client word in a server's
  UnknownModule,  // the unknown words of one prefix in a plugin's config, as one note
  ExecFailed,     // an exec that runs nothing: no such file, a bad name, a loop
  EqualsSign,     // "name = value" or "name=value": the console takes no '='
  ClientBuild,    // variables of another client build in a config.cfg the game wrote, as one note
  OwnFormat       // a file a plugin or the options dialog reads in its own format: one note
};

// Problems of these kinds follow from their own line alone; the others need the whole file.
bool isLineProblem(ProblemKind kind);

struct Problem {
  core::Offset offset = 0;  // byte offset in the text, a line break counting as two
  core::Offset length = 0;  // bytes the problem covers (at least 1 unless the text is empty)
  core::Offset line = 0;    // from 1
  core::Offset column = 0;  // from 1, in characters
  Severity severity = Severity::Error;
  ProblemKind kind = ProblemKind::UnclosedQuote;
  std::string message;  // Russian, UTF-8
};

struct CheckResult {
  std::vector<Problem> problems;  // in the order of the text
  core::NameSet aliases;          // the aliases the text defines (checkInChain: and its chain)

  std::size_t errorCount() const;
  std::size_t warningCount() const;  // notes not counted
};

// The closest known word to each unknown word, kept between checks of one document: the live
// check looks for them again after every pause in typing. Names the vocabulary knows only; the
// file's aliases are compared at every check.
struct SuggestionCache {
  struct Best {
    std::string name;  // empty: none close enough
    std::size_t distance = 0;
    bool tie = false;  // another word as close
  };
  std::unordered_map<std::string, Best> words;  // by the lower-case unknown word
};

struct CheckOptions {
  ConfigKind kind = ConfigKind::Player;
  // Aliases that the other files of the exec chain define: known words in this one. Null for
  // none.
  const core::NameSet* chainAliases = nullptr;
  // Whether the game directory is known for sure. When it is only a guess (a file outside any
  // game's folder), a file that exec names may well be there in the real one: its absence is
  // not reported.
  bool gameDirKnown = true;
  // Where to keep the closest known words between checks; null for none.
  SuggestionCache* suggestions = nullptr;
  // checkInChain with the game directory not known: the files beside the checked one (paths
  // relative to the game directory, as relPath), whose aliases count when the file uses words it
  // does not define. Null: the small .cfg and .rc files of its folder when the source is a
  // DiskSource.
  const std::vector<std::string>* folderFiles = nullptr;
};

// Checks a whole config on its own.
CheckResult checkConfig(std::string_view text, const core::Vocabulary& vocabulary,
                        const CheckOptions& options = {});
CheckResult checkConfig(std::string_view text, const core::KnownWords& words);

// Checks `text`, the file at `relPath` of the game directory that `files` reads, together with
// the files the game runs around it: those it runs at start for this kind of config (a player's
// files for a player's config, a server's otherwise) and every file an exec runs, and, when the
// game directory is only a guess, the files beside it (CheckOptions::folderFiles). Aliases any
// of them defines are known here; the execs of `text` that run nothing are reported. The text
// counts in place of the file on disk.
CheckResult checkInChain(std::string_view text, const std::string& relPath, FileSource& files,
                         const core::Vocabulary& vocabulary, const CheckOptions& options,
                         const StartOptions& start = {});

// The problems of one line that need nothing but the line (isLineProblem): what the editor
// underlines while the user types. Offsets count from the line's start; line is 1.
std::vector<Problem> checkLine(std::string_view line, const core::Vocabulary& vocabulary);

// "ошибка", "предупреждение" or "замечание".
std::string_view severityName(Severity severity);
// A stable name of the kind for machine-readable output: "unclosed-quote", "alias-cycle" ...
std::string_view problemKindName(ProblemKind kind);

}  // namespace brindle::editor
