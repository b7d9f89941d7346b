#pragma once
// The configuration wizard's two texts and the primitives every wizard page works with.
//
// A wizard text is a list of CP1251 lines. As a whole it is the lines joined by CR LF; its
// selection (start, length) counts offsets into that whole, a line break counting as two. A file
// is read into a text line by line and saved with every line followed by CR LF.
//
// How the primitives find a setting:
// - readValue(), findInAutoexec() and replaceOrAppend() accept a prefix only at the start of a
//   line, after leading blanks or tabs. `rate "` therefore never finds `cl_updaterate "30"`, and
//   a prefix inside a comment or inside another command's quotes is not the setting. A prefix
//   that ends in a letter, digit or '_' must also end the word there ("drawradar" does not take
//   a line "drawradarx").
// - When several lines start with the prefix, the last of them counts: the game executes a config
//   from top to bottom, so the last line is the one it applies, and the one the wizard reads and
//   rewrites.
// - A value runs from the end of the prefix to the next double quote on the same line; with no
//   closing quote on that line it reads as empty. A rewrite replaces only that stretch, so the
//   indentation, further commands on the line and a trailing comment stay.
// - findNext() is a plain case-sensitive substring search, and readBoundKey() and
//   collectUsedKeys() find their texts anywhere in a line, as bind lines are written in any form.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/TextBuffer.h"

namespace brindle::wizard {

using core::Offset;

class WizardText : public core::TextBuffer {
 public:
  WizardText() = default;
  explicit WizardText(std::vector<std::string> lines);

  // The lines of a file (any line breaks) as a freshly loaded text: the selection at the start,
  // the modified flag clear.
  void loadFileText(std::string_view fileText);
  void load(std::vector<std::string> lines);
  // Every line followed by CR LF: the text as it is saved.
  std::string fileText() const;

  const std::vector<std::string>& lines() const { return lines_; }
  std::size_t size() const { return lines_.size(); }
  bool empty() const { return lines_.empty(); }
  const std::string& at(std::size_t index) const { return lines_[index]; }

  // Line edits. Each marks the text modified and leaves the caret at the start of the line
  // concerned (at the end of the text after a deletion of the last line).
  void insertLine(std::size_t index, std::string line);
  void appendLine(std::string line);
  void replaceLine(std::size_t index, std::string line);
  void eraseLine(std::size_t index);
  void clear();

  // Offset of the first character of a line; the text length for an index past the last line.
  Offset lineOffset(std::size_t index) const;
  // Index of the line that holds an offset (an offset at a line's end belongs to that line).
  std::size_t lineAt(Offset offset) const;

  // TextBuffer. The whole text is the lines joined by CR LF; setting a text splits it at its
  // breaks, an empty text giving no lines and a text that ends with a break an empty last line.
  std::string getText() const override;
  void setText(std::string_view text) override;
  Offset selStart() const override { return selStart_; }
  Offset selLength() const override { return selLength_; }
  void setSelStart(Offset start) override;
  void setSelLength(Offset length) override;
  void replaceSel(std::string_view text) override;
  bool modified() const override { return modified_; }
  void setModified(bool modified) override { modified_ = modified; }

  Offset textLength() const override;
  Offset lineCount() const override { return static_cast<Offset>(lines_.size()); }
  std::string line(Offset index) const override;
  void putLine(Offset index, std::string_view text) override;
  void deleteLine(Offset index) override;
  Offset findText(std::string_view what, Offset start, Offset length) const override;

 private:
  void caretToLine(std::size_t index);

  std::vector<std::string> lines_;
  Offset selStart_ = 0;
  Offset selLength_ = 0;
  bool modified_ = false;
};

// A line found by a prefix: its index and where the prefix starts in it.
struct LineMatch {
  std::size_t line = 0;
  std::size_t column = 0;
};

// The last line of `text` that starts with `prefix` (after blanks or tabs, the prefix ending a
// word when it ends in a word character), or none.
bool findSettingLine(const WizardText& text, std::string_view prefix, LineMatch& match);

// The value after a prefix on a line: up to the next double quote of that line, or empty when
// there is none. `closed` tells whether the quote was there.
std::string_view valueAfter(std::string_view line, std::size_t valueStart, bool* closed = nullptr);

// The wizard's working text, its autoexec text, and the state the primitives share.
class WizardTexts {
 public:
  WizardText working;   // the file being edited
  WizardText autoexec;  // autoexec.cfg of the start-up game directory, in autoexec mode

  // The text the last primitive searched for (the find dialog's find text).
  std::string searchText;
  // What readValue(), findInAutoexec() and readBoundKey() found.
  std::string foundText;
  // Start of the last match, -1 when the last search found nothing.
  Offset lastMatch = -1;
  // Index of the line of the last match of readValue(), or of the line replaceOrAppend() wrote.
  std::ptrdiff_t matchLine = -1;
  // Result of the last replaceOrAppend().
  bool replaced = false;

  // Whole-line mode of replaceOrAppend(): a matched line whose length lies within the window
  // (inclusive) is replaced by the value alone. Callers set it before the call and clear it after.
  bool wholeLineMode = false;
  std::size_t minLineLength = 0;
  std::size_t maxLineLength = 0;

  // Find next: searches `text` for searchText from the end of its selection (from the start when
  // nothing is selected), case-sensitively, and selects the match. Returns lastMatch.
  Offset findNext(WizardText& text);

  // The value of the setting `prefix` in the working text (see the matching rules above); the
  // selection is put on the value. A prefix without a double quote is a bare
  // command word ("drawradar", "hideradar", "adjust_crosshair", "unbindall"): the found text is
  // then the word itself and the selection is on it. Whether the prefix occurs at all is told by
  // lastMatch, not by the found text (a value may be empty).
  const std::string& readValue(std::string_view prefix);

  // "1" when a line of the autoexec text starts with `text`, else empty; the autoexec text's
  // selection is put on the match.
  const std::string& findInAutoexec(std::string_view text);

  // The key of the first bind of an action: `suffix` is a quote, a blank and the action command
  // with its quotes (`" "+forward"`), and the key is the text between the nearest double quote
  // before the suffix on its line and the suffix. Occurrences with an empty key are skipped.
  const std::string& readBoundKey(std::string_view suffix);

  // For every occurrence of `prefix` (called with `bind "`), the key after it, up to a double
  // quote, a blank or the end of the line, is looked up in `freeKeys`: an entry equal to the key
  // as written, in upper case or in lower case is removed there and the key, as written, is
  // appended to `usedKeys`. A key bound twice is moved once.
  void collectUsedKeys(std::string_view prefix, std::vector<std::string>& freeKeys,
                       std::vector<std::string>& usedKeys);

  // Deletes the line of `text` that holds the end of its selection. The removal passes call it
  // right after a readValue() or findInAutoexec() that found its text.
  void deleteMatchLine(WizardText& text);

  // Replace-or-append on the working text. Finds the line of `prefix` (the matching rules above).
  // Normal mode: a found line gets `value` between the prefix and the value's closing quote
  // (which is added when the line has none) and the replaced flag is set; a missing line is
  // appended as prefix + value + '"' unless `noAppend`, and the replaced flag is cleared.
  // Whole-line mode: a found line within the length window becomes `value` and the replaced flag
  // is set; a found line outside the window, or no line, gets `value` appended as a new last line
  // unless `noAppend` (the replaced flag then set only for the found line outside the window).
  // Returns the replaced flag.
  bool replaceOrAppend(std::string_view prefix, std::string_view value, bool noAppend);

 private:
  const std::string& find(WizardText& text, std::string_view prefix, LineMatch* match);
};

// Which of two (or three) radio buttons a found value checks: "0" the first, "1" the second,
// "2" the third of the one row that has three; -1 for any other value, which changes nothing.
int radioChoice(std::string_view found, bool threeWay = false);

}  // namespace brindle::wizard
