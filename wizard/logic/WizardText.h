#pragma once
// The configuration wizard's texts and what it reads in them.
//
// A wizard text is an editor buffer (core::MemoryBuffer: CP1251, CR LF breaks, offsets counting
// a break as two) that remembers how the file it was read from ends its lines, so that a changed
// file is written back with its own line ends. Lines are the buffer's lines; an empty buffer has
// none.
//
// The wizard reads a text the way the game runs it: through the console tokenizer of core/
// (core::ScriptScanner). Only the commands of the text itself count (not those inside the value
// of an alias or bind, which run later, if ever). A setting is a command whose first word is the
// setting's name (any letter case, as the console compares names); its value is the next word,
// quoted or not. When several commands set it, the last one is the one the game applies, and the
// one the wizard reads and rewrites.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Text.h"
#include "core/TextBuffer.h"

namespace brindle::wizard {

using core::Offset;

// How a file ends its lines.
enum class LineEnd : std::uint8_t { CrLf, Lf, Cr };

class WizardText : public core::MemoryBuffer {
 public:
  WizardText() = default;
  explicit WizardText(const std::vector<std::string>& lines) { load(lines); }

  // A file's bytes as a freshly loaded text: its line ends and whether it ends with a break are
  // remembered; the selection is at the start, the modified flag clear.
  void loadFileText(std::string_view fileText);
  // Lines as a freshly loaded text, written with CR LF.
  void load(const std::vector<std::string>& lines);
  // The text as it is saved: its lines with the file's own line ends.
  std::string fileText() const;
  LineEnd lineEnd() const { return lineEnd_; }

  std::size_t size() const;
  bool empty() const { return text().empty(); }
  std::string at(std::size_t index) const;
  std::vector<std::string> lines() const;

  // Line edits; each marks the text modified.
  void insertLine(std::size_t index, std::string_view line);
  void appendLine(std::string_view line);
  void eraseLine(std::size_t index);
  void clear();
  // Replaces `length` bytes at `start` (no line breaks in `text`); the caret ends after it.
  void replaceRange(Offset start, Offset length, std::string_view text);

  // Offset of the first character of a line; the text length for an index past the last line.
  Offset lineOffset(std::size_t index) const;
  // Index of the line that holds an offset (an offset at a line's end belongs to that line).
  std::size_t lineAt(Offset offset) const;

 private:
  LineEnd lineEnd_ = LineEnd::CrLf;
  bool finalBreak_ = true;
};

// ------------------------------------------------------------------ commands of a text

struct ConsoleWord {
  Offset start = 0;   // the first byte; the opening quote of a quoted word
  Offset length = 0;  // with the quotes
  bool quoted = false;
  bool closed = true;
  std::string text;  // without the quotes
};

// A command with at least one word: one of the text itself, or one of the value of an `alias` or
// `bind` command (its `value`).
struct ConsoleCommand {
  std::size_t line = 0;
  std::vector<ConsoleWord> words;
  std::vector<ConsoleCommand> value;  // the commands of an alias or bind value
  // The command's script from its first word to its last (its comment not included).
  Offset start() const { return words.front().start; }
  Offset end() const { return words.back().start + words.back().length; }
  const std::string& name() const { return words.front().text; }
  // The value of `bind`/`alias` from the third word: the text of one quoted word, or the words
  // from the third to the last as written.
  std::string script(std::string_view text) const;
};

// Every command of the text, in the order they stand, each with the commands of its value.
std::vector<ConsoleCommand> consoleCommands(std::string_view text);

// A command as the game runs the text: one of the text itself, or, where the text runs an alias
// it defined before, one of that alias's value (the alias as it stands at that moment; an alias
// that redefines aliases takes effect as it runs). `line` is the line of the text's command that
// ran it.
struct RunCommand {
  const ConsoleCommand* command = nullptr;
  std::size_t line = 0;
  bool direct = true;  // a command of the text itself, which a rewrite may change
};
std::vector<RunCommand> runOrder(const std::vector<ConsoleCommand>& commands);

// The last command that sets a console variable (`name value`), or, for `setinfo`, the key:
// `setinfo key value`. A command without a value only prints the setting and does not count.
struct SettingLine {
  const ConsoleCommand* command = nullptr;
  std::size_t valueWord = 1;  // index of the value among the command's words
  std::size_t order = 0;      // its place among the commands searched
  bool direct = true;
  const ConsoleWord& value() const { return command->words[valueWord]; }
};
std::optional<SettingLine> lastSetting(const std::vector<ConsoleCommand>& commands,
                                       std::string_view name);
std::optional<SettingLine> lastSetinfo(const std::vector<ConsoleCommand>& commands,
                                       std::string_view key);
std::optional<SettingLine> lastSetting(const std::vector<RunCommand>& run, std::string_view name);
std::optional<SettingLine> lastSetinfo(const std::vector<RunCommand>& run, std::string_view key);

// The value word rewritten in the line's own form: a quoted value stays quoted; an unquoted one
// stays unquoted unless the new value is empty or holds a blank, "//" or a character that would
// split it (then it gets quotes). The words around the value stay apart. The line is changed only
// when it then tokenizes to the same commands with the new value; false when it would not (a
// quote glued inside the old value that kept a ';' from ending the command), and the text is
// left as it was.
bool rewriteValue(WizardText& text, const SettingLine& setting, std::string_view value);

// Deletes a command from its line with the ';' that joins it to a neighbour. A line left with
// nothing but blanks is deleted, or, with `keepLine`, left empty.
void removeCommand(WizardText& text, const ConsoleCommand& command, bool keepLine = false);

// Replaces a command's script (its words) by `replacement`, leaving the rest of its line. The line
// is changed only when its other commands then tokenize as before and this one as the
// replacement does; false, with the text unchanged, otherwise.
bool replaceCommand(WizardText& text, const ConsoleCommand& command, std::string_view replacement);

// ------------------------------------------------------------------ the wizard's two texts

class WizardTexts {
 public:
  WizardText working;   // the file being edited
  WizardText autoexec;  // autoexec.cfg of the start-up game directory, in autoexec mode

  // The key of the first bind of an action: `suffix` is a quote, a blank and the action command
  // with its quotes (`" "+forward"`), and the key is the text between the nearest double quote
  // before the suffix on its line and the suffix. Occurrences with an empty key are skipped.
  // Empty when there is none.
  std::string readBoundKey(std::string_view suffix) const;

  // For every occurrence of `prefix` (called with `bind "`), the key after it, up to a double
  // quote, a blank or the end of the line, is looked up in `freeKeys`: an entry equal to the key
  // in any letter case is removed there and the key, as written, is appended to `usedKeys`. A key
  // bound twice is moved once.
  void collectUsedKeys(std::string_view prefix, std::vector<std::string>& freeKeys,
                       std::vector<std::string>& usedKeys) const;
};

// ASCII letters in lower and upper case (key and command names are ASCII).
using core::asciiLower;
using core::asciiUpper;

}  // namespace brindle::wizard
