#pragma once
// The editor buffer: a CP1251 text with caret, selection and a modified flag. Offsets count
// bytes of the whole text, a line break (always CR LF inside a buffer) counting as two.
// The main window's editor control and the in-memory texts of other windows implement it;
// the find step, replace-all and the editing tools work on any of them.
#include <cstddef>
#include <string>
#include <string_view>

namespace brindle::core {

using Offset = std::ptrdiff_t;

struct CaretPos {
  Offset column = 0;  // from 0
  Offset line = 0;    // from 0
};

class TextBuffer {
 public:
  virtual ~TextBuffer() = default;

  virtual std::string getText() const = 0;
  // Replaces the whole text (line breaks become CR LF); caret to the start; marks modified.
  virtual void setText(std::string_view text) = 0;
  // Loads a document: replaces the whole text, caret to the start, not modified (and, in a
  // control, nothing to undo).
  virtual void loadText(std::string_view text) {
    setText(text);
    setModified(false);
  }
  virtual Offset selStart() const = 0;
  virtual Offset selLength() const = 0;
  // Moves the caret and removes the selection; beyond the end means the end.
  virtual void setSelStart(Offset start) = 0;
  // Selects `length` characters from the selection start (clamped to the end).
  virtual void setSelLength(Offset length) = 0;
  // Replaces the selection (or inserts at the caret); the caret ends after the new text.
  virtual void replaceSel(std::string_view text) = 0;
  virtual bool modified() const = 0;
  virtual void setModified(bool modified) = 0;

  virtual void setFocus() {}
  virtual void beginUpdate() {}
  virtual void endUpdate() {}

  // Derived operations, written on the ones above; a control may provide faster versions.
  virtual Offset textLength() const;
  virtual std::string selText() const;
  virtual CaretPos caretPos() const;
  // Lines are separated by CR LF; a text ending with a break has an empty last line, so a
  // buffer always has at least one line.
  virtual Offset lineCount() const;
  virtual std::string line(Offset index) const;
  // Replaces the text of a line (not its break) by `text`, which may hold breaks itself;
  // the caret ends after the new text.
  virtual void putLine(Offset index, std::string_view text);
  // Deletes a line with its break (the last line takes the break before it).
  virtual void deleteLine(Offset index);
  // Offset of the first occurrence of `what` beginning in [start, start + length], or -1.
  // Letters compare with case.
  virtual Offset findText(std::string_view what, Offset start, Offset length) const;

  void select(Offset start, Offset length) {
    setSelStart(start);
    setSelLength(length);
  }
};

// A buffer held in memory: the wizard's texts, previews, and the model the tests drive.
class MemoryBuffer : public TextBuffer {
 public:
  MemoryBuffer() = default;
  explicit MemoryBuffer(std::string_view text);

  std::string getText() const override { return text_; }
  // The text itself, without a copy.
  const std::string& text() const { return text_; }
  void setText(std::string_view text) override;
  Offset selStart() const override { return selStart_; }
  Offset selLength() const override { return selLength_; }
  void setSelStart(Offset start) override;
  void setSelLength(Offset length) override;
  void replaceSel(std::string_view text) override;
  bool modified() const override { return modified_; }
  void setModified(bool modified) override { modified_ = modified; }

  Offset textLength() const override { return static_cast<Offset>(text_.size()); }
  Offset findText(std::string_view what, Offset start, Offset length) const override;

 private:
  Offset clampToCharacter(Offset offset) const;

  std::string text_;
  Offset selStart_ = 0;
  Offset selLength_ = 0;
  bool modified_ = false;
};

// Start and length of line `index` (without its break) in `text`, which uses CR LF breaks.
struct LineSpan {
  Offset start = 0;
  Offset length = 0;
};
LineSpan lineSpan(std::string_view text, Offset index);

// The find step shared by the windows: searches `target` for `what`, case-sensitively, from
// the end of the selection, or from the top when nothing is selected. A match is selected and
// the target gets the focus. Returns the found offset or -1 (nothing changes then).
// Line breaks in `what` are read as the buffer holds them (a lone CR or LF is a CR LF break),
// so a match never begins or ends inside a break and the selection is exactly the match.
Offset findStep(TextBuffer& target, std::string_view what);

// Replaces occurrences of `find` until none is left: the rule is that of searching from the top
// and replacing the first match, again and again, so occurrences created by a replacement are
// replaced too. It is carried out in one pass from left to right that steps back only over what
// a replacement could have joined. A replacement that contains `find` would never finish; it is
// then applied in one pass from left to right instead (each match replaced once). Line breaks in
// both texts are read as in findStep(). An empty `find` changes nothing.
// The whole change is one edit; the caret ends after the last replacement. When nothing is
// found the caret goes to the top (except for a replacement that contains `find`).
// A rule whose literal application would not end in reasonable time (some pairs make the text
// grow without bound, or swap characters back and forth) is refused: the text stays as it was.
struct ReplaceAllResult {
  std::size_t replacements = 0;
  bool refused = false;
};
ReplaceAllResult replaceAll(TextBuffer& target, std::string_view find,
                            std::string_view replacement);

// The text `replaceAll` makes of `text`, and where its caret ends (-1 when nothing was found).
// Breaks are taken as they are; the caller normalises them.
struct ReplacedText {
  std::string text;
  ReplaceAllResult result;
  Offset caret = -1;
};
ReplacedText replaceAllInText(std::string_view text, std::string_view find,
                              std::string_view replacement);

}  // namespace brindle::core
