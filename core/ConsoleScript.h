#pragma once
// Console scripts as the game's console reads them: a config file, the value of an alias, the
// command list of a bind. The one tokenizer of the program: the editor's highlighting, the
// config checks and completion all read its output. Text is CP1251, positions are byte offsets
// of the text as given (a CR LF break counting as two).
//
// The rules are those of the engine's command parser (public sources: Cbuf_Execute,
// Cmd_TokenizeString and Cmd_ExecuteString in rehlds/engine/cmd.cpp and COM_Parse in
// rehlds/engine/common.cpp of github.com/dreamstalker/rehlds):
// - A command ends at a line break, or at a ';' outside double quotes. Cbuf_Execute counts the
//   quotes from the start of the command and knows nothing of comments, so a ';' inside a
//   comment also ends the command, and the rest of the line runs as a command of its own. A
//   line break ends a command even inside quotes.
// - Words are separated by blanks: every byte up to the space (tabs, control characters, the
//   NUL byte). Bytes from 0x80 up (Cyrillic letters) belong to words.
// - "//" at the start of a word makes the rest of the command a comment.
// - A word that starts with a double quote runs to the next quote and keeps its blanks; without
//   a closing quote it ends with the command, at the line break.
// - Outside quotes, each of the characters { } ( ) ' , : is a word of its own.
// - A quote or "//" inside a word is part of the word.
// A lone CR or LF breaks a line as CR LF does, as the editor shows such text.
//
// Words are classified the way Cmd_ExecuteString resolves the first word of a command: a
// command of the game, else an alias, else a variable. The value of `alias` and of `bind` is
// a script itself (Cmd_Alias_f keeps it as text, a key runs its binding as text); its commands
// are tokenized as nested commands. Names compare without regard to letter case, as the engine
// compares them; key names follow Key_StringToKeynum (engine/client/keys.c of
// github.com/FWGS/xash3d-fwgs): a one-character key name is the character itself, exactly as
// written, a longer name compares without regard to case.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/Text.h"
#include "core/TextBuffer.h"

namespace brindle::core {

// ---------------------------------------------------------------- names and known words

// Names of commands, variables and aliases: ASCII letters compare without regard to case.
struct NoCaseHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const noexcept;
};
struct NoCaseEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const noexcept;
};
using NameSet = std::unordered_set<std::string, NoCaseHash, NoCaseEqual>;

// Whether two names are one for the console: ASCII letters compare without regard to case.
inline bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && asciiLower(a[i]) != asciiLower(b[i])) return false;
  }
  return true;
}

// Whether a variable of the game client lives in the user-info string (FCVAR_USERINFO): setting
// it sets the user-info key of its name, as `setinfo` does (Cvar_DirectSet in
// rehlds/engine/cvar.cpp), so the later of `NAME value` and `setinfo NAME value` decides. The
// engine's own (name, model, rate, topcolor, bottomcolor, cl_updaterate, cl_lw, cl_lc: those
// Info_IsKeyImportant of rehlds/engine/info.cpp keeps) and the 1.6 client's archived ones that
// the game library reads from the user info (_ah, _vgui_menus, _cl_autowepswitch:
// CBasePlayer::SetPrefsFromUserinfo in regamedll/dlls/player.cpp of ReGameDLL_CS).
bool isUserinfoVariable(std::string_view name);

// Which side reads a word: the game client (a player's config), the server (server.cfg and the
// configs of its add-ons), or both.
enum class WordSide : std::uint8_t { Unknown, Client, Server, Both };

// The values a source allows for a variable: nothing known, a numeric range (either end may be
// open) or a list of values. Written in the word base as "MIN..MAX", "MIN..", "..MAX" or
// "a|b|c".
struct ValueRule {
  enum class Kind : std::uint8_t { None, Range, List };
  Kind kind = Kind::None;
  bool hasMin = false;
  bool hasMax = false;
  double min = 0;
  double max = 0;
  std::vector<std::string> items;  // Kind::List

  // An empty or unreadable text gives an empty rule, which accepts everything.
  static ValueRule parse(std::string_view text);
  // A range takes a value the way the engine reads a number (atof: leading blanks, then a
  // number; the rest is ignored); a value that does not start with a number is outside it. A
  // list takes a value equal to one of its items: numerically where both are numbers ("1.0"
  // is "1"), otherwise without regard to letter case.
  bool accepts(std::string_view value) const;
  bool empty() const { return kind == Kind::None; }
  // "от 0 до 2", "не меньше 1", "одно из: 0, 1, 2" (UTF-8); empty for an empty rule.
  std::string describe() const;
};

// One word of the word base: where it comes from and what it takes. `origin` is a short id:
// engine, client, game, rehlds, regamedll, metamod, amxmodx, or plugin:<name>.
struct WordInfo {
  std::string name;
  bool command = false;
  bool variable = false;
  std::string origin;
  WordSide side = WordSide::Unknown;
  ValueRule values;
};

// The words the game knows, as plain lists (CP1251). The dictionary's data fills the commands,
// variables; the word base fills `base` and the engine's key names.
struct KnownWords {
  std::vector<std::string> commands;   // console commands, the +/- actions among them
  std::vector<std::string> variables;  // console variables
  std::vector<std::string> keyNames;   // the key names `bind` accepts
  std::vector<WordInfo> base;          // the word base, in the order of its files
  std::vector<std::string> missing;    // data files that were not found or not readable
};

// Fast lookups over the known words; built once and shared.
class Vocabulary {
 public:
  enum class Kind : std::uint8_t { Command, Variable };
  struct Entry {
    std::string name;  // as the lists write it
    Kind kind;
    WordSide side = WordSide::Unknown;
  };

  Vocabulary() = default;
  explicit Vocabulary(const KnownWords& words);

  // What the lists say of a name, in one lookup.
  struct Known {
    bool command = false;
    bool variable = false;
    WordSide side = WordSide::Unknown;
    // The word base's entry (the first file that names the word); null for words that only
    // the dictionary's lists know. Valid as long as the vocabulary.
    const WordInfo* info = nullptr;
  };
  Known lookup(std::string_view name) const;

  bool isCommand(std::string_view name) const;
  bool isVariable(std::string_view name) const;
  bool isKeyName(std::string_view key) const;
  // Whether `bind` takes the key name, by the engine's key table and its letter-case rules
  // (Key_StringToKeynum): a name of one character is that character, exactly as written, so
  // "p" is a key and "P" is none; a longer name compares without regard to case ("mouse4").
  bool isEngineKey(std::string_view key) const;
  // Whether `bind` takes the name at all (Key_StringToKeynum): every name of one character is
  // a key code of its own, exactly as written ("P" binds a code no keyboard sends, "p" the p
  // key); a longer name must be one of the key table's, letter case ignored.
  bool bindsKey(std::string_view key) const;

  // The origin of a word in Russian (UTF-8): "переменная сервера, ReGameDLL_CS",
  // "команда AMX Mod X", "переменная плагина CSDM".
  static std::string originText(const WordInfo& info);
  // The display name of an origin id ("regamedll" -> "ReGameDLL_CS"); the id itself when the
  // id is not known.
  static std::string originName(std::string_view origin);

  // Commands and variables sorted by name without regard to case (a name that is both a
  // command and a variable appears once, as a command).
  const std::vector<Entry>& entries() const { return entries_; }

 private:
  enum Flag : std::uint8_t { kCommand = 1, kVariable = 2 };
  struct Name {
    std::string name;
    std::uint8_t flags = 0;
    WordSide side = WordSide::Unknown;
    std::int32_t info = -1;  // index into infos_
  };
  const Name* find(std::string_view name) const;
  static std::uint64_t hashOf(std::string_view name);

  // An open-addressing table over the names: every command of a config is looked up here, so
  // it is kept flat and small.
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t key = 0;  // index into keys_ plus one; 0 for an empty slot
  };
  std::vector<Slot> table_;
  std::vector<Name> keys_;
  std::size_t mask_ = 0;
  std::vector<WordInfo> infos_;
  NameSet longKeys_;
  std::vector<bool> singleKeys_ = std::vector<bool>(256, false);
  std::vector<Entry> entries_;
};

// The spelling under which the program keeps a key, so that two names of one key code are one
// entry (Key_StringToKeynum, engine/client/input/in_keys.c of github.com/FWGS/xash3d-fwgs at
// 633203e1; the classic engine's client reads key names the same way): a name of one character
// is that character's code exactly as written ("P" stays "P", another key than "p"), except the
// codes the key table also names (";" is SEMICOLON, " " SPACE, a tab TAB); a longer name
// compares without regard to case and is kept upper case, as the table writes it.
std::string keySpelling(std::string_view name);

// ---------------------------------------------------------------- commands and words

struct ScriptWord {
  Offset start = 0;   // the first byte; the opening quote of a quoted word
  Offset length = 0;  // with the quotes
  bool quoted = false;
  bool closed = true;  // false: a quoted word whose line ended before its closing quote

  Offset end() const { return start + length; }
  // The word as the console hands it on: without its quotes.
  Offset textStart() const { return quoted ? start + 1 : start; }
  Offset textLength() const { return quoted ? length - (closed ? 2 : 1) : length; }
  std::string_view text(std::string_view script) const {
    return script.substr(static_cast<std::size_t>(textStart()),
                         static_cast<std::size_t>(textLength()));
  }
};

struct ScriptCommand {
  Offset start = 0;  // the command's text: from after the previous ';' or line break
  Offset end = 0;    // to before the ';' or line break that ends it
  // 0 for a command of the text itself, 1 for a command in the value of an alias or bind
  // of depth 0, and so on.
  int depth = 0;
  std::span<const ScriptWord> words;
  Offset commentStart = -1;  // where "//" starts the comment, or -1
  // When a ';' inside a comment earlier on the line ended that comment, so that this command
  // runs although it looks like part of the comment: where that comment starts; else -1.
  Offset afterComment = -1;
  // The value of `alias` or `bind` that this command belongs to (depth > 0), else null.
  const ScriptCommand* parent = nullptr;

  bool empty() const { return words.empty(); }
  std::string_view name(std::string_view script) const {
    return words.empty() ? std::string_view() : words.front().text(script);
  }
};

// Receives the commands of a text in order; the commands in the value of an alias or bind
// follow right after the command that holds them.
class ScriptVisitor {
 public:
  virtual ~ScriptVisitor() = default;
  virtual void command(std::string_view script, const ScriptCommand& command) = 0;
};

// Scans texts into commands. Keeps its buffers between calls, so one scanner reading many
// texts allocates only at the start.
class ScriptScanner {
 public:
  // How deep values of aliases and binds are opened ("alias a \"alias b c\"" has depth 2).
  static constexpr int kMaxDepth = 4;

  void scan(std::string_view text, ScriptVisitor& visitor);
  // The whole lines from `from` (a line's start) up to `to` (a line's end or the text's end):
  // commands never run over a line break, so a long text can be read a block of lines at a
  // time. Offsets stay those of `text`; a byte-order mark is not skipped here.
  void scanLines(std::string_view text, Offset from, Offset to, ScriptVisitor& visitor);

 private:
  void scanRange(std::string_view text, Offset from, Offset to, int depth,
                 const ScriptCommand* parent, ScriptVisitor& visitor);
  // Tokenizes and visits one command; returns where its comment starts, or -1.
  Offset scanCommand(std::string_view text, Offset from, Offset to, int depth, Offset afterComment,
                     const ScriptCommand* parent, ScriptVisitor& visitor);

  std::vector<std::vector<ScriptWord>> words_ = std::vector<std::vector<ScriptWord>>(kMaxDepth + 1);
};

// The part of a command's words that is a script of its own: the value of `alias` (words from
// the third) and of `bind` (likewise). One quoted word gives the text inside its quotes (empty
// for ""); several words give the text from the first to the last. Not `present` when the
// command has no such value.
struct ScriptRange {
  bool present = false;
  Offset start = 0;
  Offset end = 0;
};
ScriptRange nestedScript(std::string_view script, const ScriptCommand& command);

// ---------------------------------------------------------------- tokens with kinds

enum class TokenKind : std::uint8_t {
  Command,    // a command of the game
  Variable,   // a variable of the game
  Action,     // a +/- command of the game (+attack, -duck)
  AliasName,  // an alias the text defines, where it is defined or used
  KeyName,    // the key of `bind` and `unbind`
  Value,      // any other argument; quoted or not
  Comment,    // from "//" to the end of the command
  Unknown     // a command word the game does not know, or a key name it does not accept
};

struct ScriptToken {
  Offset start = 0;
  Offset length = 0;
  TokenKind kind = TokenKind::Value;
  bool quoted = false;
  int depth = 0;
};

// Classifies the words of one command (not those of its nested commands, which the scanner
// visits on their own). `aliases` holds the aliases the text defines; null counts none.
void classifyCommand(std::string_view script, const ScriptCommand& command,
                     const Vocabulary& vocabulary, const NameSet* aliases,
                     std::vector<ScriptToken>& out);

// Every token of a text, in the order of the commands; a nested command's tokens follow the
// value that holds them and overlap it.
std::vector<ScriptToken> tokenize(std::string_view text, const Vocabulary& vocabulary,
                                  const NameSet* aliases);

// The first command of a bind's or alias's value as the key shows it: its first word, up to a
// blank, a ';' or a quote ("+jump" of "+jump; wait").
std::string firstCommandOf(std::string_view value);

// The aliases a text defines anywhere, also in the values of other aliases and binds.
NameSet definedAliases(std::string_view text);

// The word at a position of one line, for completion and explanations: the innermost word
// that holds it. With `caret`, the position is a caret (0 .. line length) and a caret right
// after a word, or inside the quotes of a quoted word, counts as in it; otherwise it is the
// index of a character.
struct WordAt {
  bool found = false;
  ScriptToken token;     // the word; for a quoted word, with its quotes
  Offset textStart = 0;  // the word without quotes
  Offset textEnd = 0;
  // The position stands where a command name goes: in the first word of a command, or in a
  // command that has no words yet.
  bool commandPosition = false;
  bool insideQuotes = false;  // inside the quoted value of an alias or bind
  // Nothing but blanks (or a comment) follows in the command.
  bool endOfCommand = false;
};
WordAt wordAt(std::string_view line, Offset position, const Vocabulary& vocabulary,
              const NameSet* aliases, bool caret = true);

}  // namespace brindle::core
