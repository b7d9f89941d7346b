#include "ui/CfgEdit.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextDocument>

#include "ui/Codec.h"

namespace brindle::ui {

CfgEdit::CfgEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  connect(document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
    if (loading_ || (removed == 0 && added == 0)) return;
    setModified(true);
    Q_EMIT textEdited();
  });
}

std::string CfgEdit::getText() const {
  // toRawText keeps non-breaking spaces (toPlainText would turn them into blanks);
  // blocks are separated by U+2029.
  const QString raw = document()->toRawText();
  std::string bytes = fromQ(raw);
  std::string out;
  out.reserve(bytes.size() + static_cast<std::size_t>(document()->blockCount()));
  for (qsizetype i = 0; i < raw.size(); ++i) {
    if (raw.at(i) == QChar::ParagraphSeparator)
      out += "\r\n";
    else
      out += bytes[static_cast<std::size_t>(i)];
  }
  return out;
}

void CfgEdit::setText(std::string_view text) {
  QTextCursor c(document());
  c.beginEditBlock();
  c.select(QTextCursor::Document);
  c.insertText(toQ(text));
  c.endEditBlock();
  c.movePosition(QTextCursor::Start);
  setTextCursor(c);
  setModified(true);
}

void CfgEdit::loadText(std::string_view text) {
  loading_ = true;
  setPlainText(toQ(text));
  loading_ = false;
  QTextCursor c = textCursor();
  c.movePosition(QTextCursor::Start);
  setTextCursor(c);
  setModified(false);
}

int CfgEdit::positionOf(core::Offset offset, bool afterBreak) const {
  const QTextDocument* doc = document();
  if (offset <= 0) return 0;
  // Largest block b whose first character has offset position(b) + b <= offset.
  int lo = 0;
  int hi = doc->blockCount() - 1;
  while (lo < hi) {
    const int mid = lo + (hi - lo + 1) / 2;
    if (doc->findBlockByNumber(mid).position() + static_cast<core::Offset>(mid) <= offset)
      lo = mid;
    else
      hi = mid - 1;
  }
  const QTextBlock block = doc->findBlockByNumber(lo);
  const core::Offset inBlock = offset - (block.position() + static_cast<core::Offset>(lo));
  const int length = block.length() - 1;  // without the break
  if (inBlock <= length) return block.position() + static_cast<int>(inBlock);
  // Inside or past the break.
  const bool last = !block.next().isValid();
  if (afterBreak && !last) return block.position() + block.length();
  return block.position() + length;
}

core::Offset CfgEdit::offsetOf(int position) const {
  const QTextBlock block = document()->findBlock(position);
  return static_cast<core::Offset>(position) + (block.isValid() ? block.blockNumber() : 0);
}

core::Offset CfgEdit::selStart() const { return offsetOf(textCursor().selectionStart()); }

core::Offset CfgEdit::selLength() const {
  const QTextCursor c = textCursor();
  return offsetOf(c.selectionEnd()) - offsetOf(c.selectionStart());
}

void CfgEdit::setSelStart(core::Offset start) {
  QTextCursor c = textCursor();
  c.setPosition(positionOf(start));
  setTextCursor(c);
}

void CfgEdit::setSelLength(core::Offset length) {
  QTextCursor c = textCursor();
  const int start = c.selectionStart();
  c.setPosition(start);
  if (length > 0)
    c.setPosition(positionOf(offsetOf(start) + length, true), QTextCursor::KeepAnchor);
  setTextCursor(c);
}

void CfgEdit::replaceSel(std::string_view text) {
  QTextCursor c = textCursor();
  c.beginEditBlock();
  c.insertText(toQ(text));
  c.endEditBlock();
  setTextCursor(c);
  setModified(true);
}

void CfgEdit::setModified(bool modified) {
  if (modified_ == modified) return;
  modified_ = modified;
  Q_EMIT modifiedChanged(modified);
}

void CfgEdit::setFocus() { QPlainTextEdit::setFocus(Qt::OtherFocusReason); }

void CfgEdit::beginUpdate() {
  if (updateDepth_++ == 0) setUpdatesEnabled(false);
}

void CfgEdit::endUpdate() {
  if (updateDepth_ > 0 && --updateDepth_ == 0) setUpdatesEnabled(true);
}

core::Offset CfgEdit::textLength() const {
  const QTextDocument* doc = document();
  return static_cast<core::Offset>(doc->characterCount() - 1) + (doc->blockCount() - 1);
}

std::string CfgEdit::selText() const {
  const QTextCursor c = textCursor();
  if (!c.hasSelection()) return {};
  QString s = c.selectedText();  // breaks come as U+2029
  std::string bytes = fromQ(s);
  std::string out;
  for (qsizetype i = 0; i < s.size(); ++i) {
    if (s.at(i) == QChar::ParagraphSeparator)
      out += "\r\n";
    else
      out += bytes[static_cast<std::size_t>(i)];
  }
  return out;
}

core::CaretPos CfgEdit::caretPos() const {
  const QTextCursor c = textCursor();
  QTextCursor start(document());
  start.setPosition(c.selectionStart());
  return core::CaretPos{start.positionInBlock(), start.blockNumber()};
}

core::Offset CfgEdit::lineCount() const { return document()->blockCount(); }

std::string CfgEdit::line(core::Offset index) const {
  if (index < 0 || index >= lineCount()) return {};
  return fromQ(document()->findBlockByNumber(static_cast<int>(index)).text());
}

bool CfgEdit::event(QEvent* e) {
  // Shortcuts of the window (Ctrl+A "define", Ctrl+Y "delete line", Ctrl+K ...) take
  // precedence over the text control's own key bindings.
  if (e->type() == QEvent::ShortcutOverride) {
    const auto* k = static_cast<QKeyEvent*>(e);
    if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
  }
  return QPlainTextEdit::event(e);
}

void CfgEdit::keyPressEvent(QKeyEvent* e) {
  // Shift+Enter would insert a line separator inside a line, which a config cannot hold.
  if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
      (e->modifiers() & Qt::ShiftModifier)) {
    QKeyEvent plain(e->type(), e->key(), e->modifiers() & ~Qt::ShiftModifier, e->text());
    QPlainTextEdit::keyPressEvent(&plain);
    return;
  }
  QPlainTextEdit::keyPressEvent(e);
}

}  // namespace brindle::ui
