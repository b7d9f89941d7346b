#include "editor/windows/CompletionPopup.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTimer>

#include "ui/CfgEdit.h"
#include "ui/Codec.h"

namespace brindle::editor {

namespace {

QString kindText(core::TokenKind kind) {
  switch (kind) {
    case core::TokenKind::Command:
      return QStringLiteral("команда");
    case core::TokenKind::Action:
      return QStringLiteral("действие");
    case core::TokenKind::Variable:
      return QStringLiteral("переменная");
    case core::TokenKind::AliasName:
      return QStringLiteral("алиас");
    default:
      return {};
  }
}

}  // namespace

CompletionPopup::CompletionPopup(ui::CfgEdit* edit,
                                 std::shared_ptr<const core::Vocabulary> vocabulary,
                                 std::function<const core::NameSet&()> aliases,
                                 std::function<bool()> serverWords)
    : QTreeWidget(edit),
      edit_(edit),
      vocabulary_(std::move(vocabulary)),
      aliases_(std::move(aliases)),
      serverWords_(std::move(serverWords)) {
  setObjectName(QStringLiteral("CompletionPopup"));
  setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setColumnCount(2);
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  header()->setStretchLastSection(false);
  header()->setSectionResizeMode(0, QHeaderView::Stretch);
  header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  hide();

  connect(this, &QTreeWidget::itemClicked, this, [this] { acceptCurrent(); });
  connect(edit_, &ui::CfgEdit::textEdited, this, [this] {
    if (typed_ || isVisible()) QTimer::singleShot(0, this, &CompletionPopup::afterTyping);
  });
  connect(edit_, &QPlainTextEdit::cursorPositionChanged, this, [this] {
    if (isVisible() && !typed_) refresh(false);
  });
  edit_->installEventFilter(this);
}

core::WordAt CompletionPopup::caretWord(std::string* lineOut) const {
  const QTextCursor c = edit_->textCursor();
  const std::string line = ui::fromQ(c.block().text());
  core::WordAt w = core::wordAt(line, c.positionInBlock(), *vocabulary_, &aliases_());
  if (lineOut) *lineOut = line;
  return w;
}

bool CompletionPopup::complete(bool explicitRequest) { return refresh(explicitRequest); }

bool CompletionPopup::refresh(bool explicitRequest) {
  std::string line;
  const core::WordAt w = caretWord(&line);
  const auto caret = static_cast<core::Offset>(edit_->textCursor().positionInBlock());
  if (!w.commandPosition || edit_->textCursor().hasSelection() || caret < w.textStart) {
    dismiss();
    return false;
  }
  const std::string prefix = line.substr(static_cast<std::size_t>(w.textStart),
                                         static_cast<std::size_t>(caret - w.textStart));
  if (!explicitRequest && !isVisible() && static_cast<int>(prefix.size()) < kAutoLetters) {
    dismiss();
    return false;
  }
  completions_ =
      completionsFor(prefix, *vocabulary_, aliases_(), 500, !serverWords_ || serverWords_());
  const std::string whole = line.substr(static_cast<std::size_t>(w.textStart),
                                        static_cast<std::size_t>(w.textEnd - w.textStart));
  // Nothing to offer, or only the very word that is already written.
  if (completions_.empty() ||
      (completions_.size() == 1 && core::sameName(completions_.front().word, whole))) {
    dismiss();
    return false;
  }
  const QString previous = currentItem() ? currentItem()->text(0) : QString();
  clear();
  QList<QTreeWidgetItem*> items;
  for (const Completion& c : completions_) {
    auto* item = new QTreeWidgetItem({ui::toQ(c.word), kindText(c.kind)});
    item->setForeground(1, palette().brush(QPalette::Disabled, QPalette::Text));
    items.append(item);
  }
  addTopLevelItems(items);
  QTreeWidgetItem* current = items.front();
  for (QTreeWidgetItem* item : items)
    if (item->text(0) == previous) current = item;
  setCurrentItem(current);
  place();
  if (!isVisible()) show();
  raise();
  return true;
}

void CompletionPopup::place() {
  const int rows = std::min<int>(kVisibleRows, topLevelItemCount());
  const int rowHeight = std::max(sizeHintForRow(0), fontMetrics().height());
  const int height = rows * rowHeight + 2 * frameWidth();
  const int width = std::max(280, sizeHintForColumn(0) + sizeHintForColumn(1) + 2 * frameWidth() +
                                      verticalScrollBar()->sizeHint().width() + 8);
  const QRect caret = edit_->cursorRect();
  QPoint at = edit_->viewport()->mapToGlobal(caret.bottomLeft() + QPoint(0, 2));
  // Above the caret's line when the screen has no room below it.
  if (const QScreen* screen = edit_->screen()) {
    const QRect room = screen->availableGeometry();
    if (at.y() + height > room.bottom())
      at.setY(edit_->viewport()->mapToGlobal(caret.topLeft()).y() - height - 2);
    at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - width)));
  }
  resize(width, height);
  move(at);
}

void CompletionPopup::acceptCurrent() {
  QTreeWidgetItem* item = currentItem();
  const int index = item ? indexOfTopLevelItem(item) : -1;
  if (index < 0 || index >= static_cast<int>(completions_.size())) {
    dismiss();
    return;
  }
  const Completion chosen = completions_[static_cast<std::size_t>(index)];
  std::string line;
  const core::WordAt w = caretWord(&line);
  const auto caret = static_cast<core::Offset>(edit_->textCursor().positionInBlock());
  dismiss();
  const CompletionEdit e = completionEdit(line, caret, w, chosen);
  QTextCursor c = edit_->textCursor();
  const int base = c.block().position();
  c.beginEditBlock();
  c.setPosition(base + static_cast<int>(e.start));
  c.setPosition(base + static_cast<int>(e.end), QTextCursor::KeepAnchor);
  c.insertText(ui::toQ(e.text));
  c.endEditBlock();
  c.setPosition(base + static_cast<int>(e.caret));
  edit_->setTextCursor(c);
}

void CompletionPopup::dismiss() {
  if (isVisible()) hide();
}

void CompletionPopup::afterTyping() {
  const bool typed = typed_;
  typed_ = false;
  if (typed || isVisible()) refresh(false);
}

bool CompletionPopup::eventFilter(QObject* watched, QEvent* event) {
  if (watched != edit_) return QTreeWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
      if (key->key() == Qt::Key_Space && mods == Qt::ControlModifier) {
        complete(true);
        return true;
      }
      if (isVisible()) {
        switch (key->key()) {
          case Qt::Key_Up:
          case Qt::Key_Down:
          case Qt::Key_PageUp:
          case Qt::Key_PageDown: {
            const int n = topLevelItemCount();
            const int step = (key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown)
                                 ? kVisibleRows - 1
                                 : 1;
            const int dir = (key->key() == Qt::Key_Up || key->key() == Qt::Key_PageUp) ? -1 : 1;
            const int row = currentItem() ? indexOfTopLevelItem(currentItem()) : 0;
            setCurrentItem(topLevelItem(std::clamp(row + dir * step, 0, n - 1)));
            return true;
          }
          case Qt::Key_Return:
          case Qt::Key_Enter:
          case Qt::Key_Tab:
            acceptCurrent();
            return true;
          case Qt::Key_Escape:
            dismiss();
            return true;
          default:
            break;
        }
      }
      // Letters typed without Ctrl or Alt may open the list once the editor has them.
      typed_ = !key->text().isEmpty() && !(mods & (Qt::ControlModifier | Qt::AltModifier)) &&
               key->text().at(0).isPrint() && key->text().at(0) != QLatin1Char(' ');
      break;
    }
    case QEvent::FocusOut:
    case QEvent::Hide:
      dismiss();
      break;
    default:
      break;
  }
  return false;
}

}  // namespace brindle::editor
