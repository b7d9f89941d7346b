#pragma once
// The text control of the program's editors: a plain-text edit that is also a TextBuffer, so
// the find step, replace-all and the editing tools work on it through CR LF byte offsets.
// Qt counts a line break as one position, a buffer offset counts it as two: the offset of a
// position is the position plus the number of the line that holds it.
#include <QPlainTextEdit>

#include "core/TextBuffer.h"

namespace brindle::ui {

class CfgEdit : public QPlainTextEdit, public core::TextBuffer {
  Q_OBJECT

 public:
  explicit CfgEdit(QWidget* parent = nullptr);

  // TextBuffer
  std::string getText() const override;
  // Replaces the whole text as one undoable edit and marks the buffer modified.
  void setText(std::string_view text) override;
  core::Offset selStart() const override;
  core::Offset selLength() const override;
  void setSelStart(core::Offset start) override;
  void setSelLength(core::Offset length) override;
  void replaceSel(std::string_view text) override;
  bool modified() const override { return modified_; }
  void setModified(bool modified) override;
  void setFocus() override;
  void beginUpdate() override;
  void endUpdate() override;

  core::Offset textLength() const override;
  std::string selText() const override;
  core::CaretPos caretPos() const override;
  core::Offset lineCount() const override;
  std::string line(core::Offset index) const override;

  // Loads a text as a new document: the undo history starts afresh, the caret goes to the
  // start and the modified flag is cleared.
  void loadText(std::string_view text) override;

  // Qt position <-> buffer offset. An offset inside a CR LF pair maps to the end of its line,
  // or, with `afterBreak`, to the start of the next line.
  int positionOf(core::Offset offset, bool afterBreak = false) const;
  core::Offset offsetOf(int position) const;

 Q_SIGNALS:
  // The text changed (by the user or by a program operation); the flag is already set.
  void textEdited();
  // The modified flag went from clear to set or back.
  void modifiedChanged(bool modified);

 protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  bool modified_ = false;
  bool loading_ = false;
  int updateDepth_ = 0;
};

}  // namespace brindle::ui
