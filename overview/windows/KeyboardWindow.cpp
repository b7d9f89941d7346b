#include "overview/windows/KeyboardWindow.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDataStream>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "core/ConsoleScript.h"
#include "core/FileIO.h"
#include "core/Insertion.h"
#include "dictionary/logic/Explanations.h"
#include "overview/windows/OverviewModel.h"
#include "ui/CfgEdit.h"
#include "ui/Codec.h"
#include "ui/EditorHost.h"
#include "ui/FontColorPrint.h"
#include "ui/MessageBoxes.h"
#include "ui/ToolWindow.h"

namespace brindle::overview {
namespace {

// The command a drag carries: plain text, or the first entry of a list's own drag format
// (the value panel's list of commands).
QString droppedCommand(const QMimeData* data) {
  if (data == nullptr) return {};
  if (data->hasText()) return data->text().trimmed();
  const QString listFormat = QStringLiteral("application/x-qabstractitemmodeldatalist");
  if (!data->hasFormat(listFormat)) return {};
  QByteArray bytes = data->data(listFormat);
  QDataStream stream(&bytes, QIODevice::ReadOnly);
  while (!stream.atEnd()) {
    int row = 0;
    int column = 0;
    QMap<int, QVariant> roles;
    stream >> row >> column >> roles;
    if (roles.contains(Qt::DisplayRole)) return roles.value(Qt::DisplayRole).toString().trimmed();
  }
  return {};
}

}  // namespace

// ================================================================================ view

KeyboardView::KeyboardView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("KeyboardView"));
  setMouseTracking(true);
  setAcceptDrops(true);
  setMinimumSize(600, 180);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
}

QSize KeyboardView::sizeHint() const { return KeyboardPicture::naturalSize().toSize(); }

void KeyboardView::setFaces(const KeyFaces* faces, const QString& title) {
  faces_ = faces;
  title_ = title;
  update();
}

QRect KeyboardView::keyRect(std::string_view name) const {
  const KeyCap* cap = findKeyCap(name);
  if (cap == nullptr) return {};
  return KeyboardPicture::keyRect(QRectF(rect()), *cap).toAlignedRect();
}

const KeyCap* KeyboardView::keyAt(QPointF point) const {
  static const KeyFaces none;
  return KeyboardPicture(faces_ ? faces_ : &none).keyAt(QRectF(rect()), point);
}

void KeyboardView::paintEvent(QPaintEvent*) {
  static const KeyFaces none;
  QPainter painter(this);
  KeyboardPicture(faces_ ? faces_ : &none).paint(painter, QRectF(rect()), title_, hovered_);
}

void KeyboardView::mouseMoveEvent(QMouseEvent* event) {
  const KeyCap* cap = keyAt(event->position());
  const std::string now = cap ? std::string(cap->name) : std::string();
  if (now != hovered_) {
    hovered_ = now;
    update();
    if (cap == nullptr) QToolTip::hideText();
  }
  if (cap != nullptr)
    Q_EMIT keyHovered(QString::fromStdString(now), event->globalPosition().toPoint());
}

void KeyboardView::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  hovered_.clear();
  update();
}

void KeyboardView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  if (const KeyCap* cap = keyAt(event->position()))
    Q_EMIT keyClicked(QString::fromStdString(std::string(cap->name)));
}

void KeyboardView::dragEnterEvent(QDragEnterEvent* event) {
  if (!droppedCommand(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void KeyboardView::dragMoveEvent(QDragMoveEvent* event) {
  const KeyCap* cap = keyAt(event->position());
  const std::string now = cap ? std::string(cap->name) : std::string();
  if (now != hovered_) {
    hovered_ = now;
    update();
  }
  if (cap != nullptr)
    event->acceptProposedAction();
  else
    event->ignore();
}

void KeyboardView::dropEvent(QDropEvent* event) {
  const KeyCap* cap = keyAt(event->position());
  const QString command = droppedCommand(event->mimeData());
  if (cap == nullptr || command.isEmpty()) return event->ignore();
  event->acceptProposedAction();
  Q_EMIT commandDropped(QString::fromStdString(std::string(cap->name)), command);
}

// ================================================================================ window

KeyboardWindow::KeyboardWindow(OverviewModel* model, ui::EditorHost* host, QWidget* parent)
    : QWidget(parent), model_(model), host_(host) {
  ui::setTitledFrame(this, Qt::Tool, ui::TitleButtons::Close, Qt::WindowStaysOnTopHint);
  setObjectName(QStringLiteral("KeyboardWindow"));
  setWindowTitle(QStringLiteral("Клавиатура"));
  resize(1240, 400);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  auto* row = new QHBoxLayout;
  documentOnly_ = new QCheckBox(QStringLiteral("Только текущий документ"), this);
  documentOnly_->setObjectName(QStringLiteral("DocumentOnlyBox"));
  documentOnly_->setToolTip(
      QStringLiteral("Показать привязки одного открытого документа, а не всего каталога игры"));
  exportButton_ = new QPushButton(QStringLiteral("Сохранить PNG..."), this);
  exportButton_->setObjectName(QStringLiteral("ExportButton"));
  printButton_ = new QPushButton(QStringLiteral("Печать..."), this);
  printButton_->setObjectName(QStringLiteral("PrintButton"));
  legend_ = new QLabel(
      QStringLiteral("Щелчок по клавише — назначить её; команду можно перетащить из словаря."),
      this);
  legend_->setObjectName(QStringLiteral("KeyboardHint"));
  row->addWidget(documentOnly_);
  row->addWidget(legend_, 1);
  row->addWidget(exportButton_);
  row->addWidget(printButton_);
  layout->addLayout(row);
  view_ = new KeyboardView(this);
  layout->addWidget(view_, 1);

  connect(documentOnly_, &QCheckBox::toggled, this, [this] { refresh(); });
  connect(exportButton_, &QPushButton::clicked, this, [this] { exportPng(); });
  connect(printButton_, &QPushButton::clicked, this, &KeyboardWindow::print);
  connect(view_, &KeyboardView::keyClicked, this, [this](const QString& key) {
    if (openBindDialog_) openBindDialog_(key);
  });
  connect(view_, &KeyboardView::commandDropped, this, &KeyboardWindow::bindInDocument);
  connect(view_, &KeyboardView::keyHovered, this, [this](const QString& key, const QPoint& at) {
    QToolTip::showText(at, keyDetails(key.toStdString()), view_);
  });
  connect(model_, &OverviewModel::changed, this, [this] {
    stale_ = true;
    if (isVisible()) {
      refresh();
    } else {
      // The faces point into the configuration the model has just let go.
      faces_.clear();
      view_->setFaces(&faces_, QString());
    }
  });
}

void KeyboardWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (stale_) refresh();
}

QString KeyboardWindow::title() const {
  if (documentOnly_->isChecked()) {
    const std::string name = model_->documentName();
    return QStringLiteral("Привязки клавиш: %1")
        .arg(name.empty() ? QStringLiteral("документ без имени") : ui::fromUtf8(name));
  }
  return model_->gameDirectory().isEmpty()
             ? QStringLiteral("Привязки клавиш: каталог игры не выбран")
             : QStringLiteral("Привязки клавиш: %1").arg(model_->gameDirectory());
}

void KeyboardWindow::refresh() {
  stale_ = false;
  const editor::EffectiveConfig& config =
      documentOnly_->isChecked() ? model_->document() : model_->whole();
  faces_ = keyFaces(config);
  view_->setFaces(&faces_, title());
}

std::string KeyboardWindow::explanationOf(const std::string& command) {
  const auto found = explanations_.find(command);
  if (found != explanations_.end()) return found->second;
  std::string text = dictionary::lookUpExplanation(model_->programDir(), "", command, "q", false);
  if (text == dictionary::kNoExplanation) text.clear();
  explanations_.emplace(command, text);
  return text;
}

QString KeyboardWindow::keyDetails(const std::string& key) {
  const auto found = faces_.find(key);
  const KeyCap* cap = findKeyCap(key);
  QString out =
      QStringLiteral("<b>%1</b>")
          .arg((cap ? QString::fromUtf8(cap->name.data(), static_cast<qsizetype>(cap->name.size()))
                    : QString::fromStdString(key))
                   .toHtmlEscaped());
  if (found == faces_.end() || found->second.entry == nullptr)
    return out + QStringLiteral(": не назначена");
  const editor::EffectiveEntry& e = *found->second.entry;
  const editor::Assignment& last = e.decisive();
  if (!e.present()) {
    out +=
        QStringLiteral(": не назначена — %1, %2")
            .arg(QString::fromStdString(last.removedBy), ui::fromUtf8(editor::lineText(last.at)));
  } else {
    out += QStringLiteral(" → ") + ui::toQ(last.value).toHtmlEscaped();
    if (!e.alias.empty()) out += QStringLiteral(" → ") + ui::toQ(e.aliasValue).toHtmlEscaped();
  }
  out += QStringLiteral("<br>");
  for (std::size_t i = 0; i < e.history.size(); ++i) {
    const editor::Assignment& a = e.history[i];
    const QString what = a.removed() ? QString::fromStdString(a.removedBy)
                                     : QStringLiteral("bind %1 \"%2\"")
                                           .arg(QString::fromStdString(e.name), ui::toQ(a.value));
    const bool decisive = i + 1 == e.history.size();
    out += QStringLiteral("%1%2: %3%4<br>")
               .arg(decisive ? QStringLiteral("<b>") : QStringLiteral("<span style='color:gray'>"),
                    ui::fromUtf8(editor::lineText(a.at)), what.toHtmlEscaped(),
                    decisive ? QStringLiteral(" — действует</b>")
                             : QStringLiteral(" — переопределено</span>"));
  }
  if (found->second.severalFiles) out += QStringLiteral("Назначается в нескольких файлах.<br>");
  if (e.changesDuringPlay) out += QStringLiteral("Меняется во время игры.<br>");
  if (e.present()) {
    const std::string command = firstCommandOf(e.alias.empty() ? last.value : e.aliasValue);
    const std::string text = explanationOf(command);
    if (!text.empty())
      out += QStringLiteral("<i>%1</i>: %2")
                 .arg(ui::toQ(command).toHtmlEscaped(), ui::toQ(text).toHtmlEscaped());
  }
  return out;
}

namespace {

// The last bind of `key` among the document's own commands (the one the game keeps), by the
// engine's key rule (core::keySpelling): where its command starts and ends.
struct CommandRange {
  core::Offset start = -1;
  core::Offset end = -1;
};
CommandRange lastBindOf(std::string_view text, const std::string& key) {
  struct Finder : core::ScriptVisitor {
    std::string spelling;
    CommandRange found;
    void command(std::string_view script, const core::ScriptCommand& c) override {
      if (c.depth != 0 || c.words.size() < 2 || !core::sameName(c.name(script), "bind")) return;
      if (core::keySpelling(c.words[1].text(script)) != spelling) return;
      found = {c.words.front().start, c.words.back().end()};
    }
  } finder;
  finder.spelling = core::keySpelling(key);
  core::ScriptScanner().scan(text, finder);
  return finder.found;
}

}  // namespace

void KeyboardWindow::bindInDocument(const QString& key, const QString& command) {
  if (host_ == nullptr || host_->memo() == nullptr) return;
  ui::CfgEdit* memo = host_->memo();
  // The key's bind in the document is replaced, that command alone; without one, the bind goes
  // on a line of its own at the end. Wherever the caret is: one replacement, one undo step.
  const std::string bind = "bind \"" + ui::fromQ(key) + "\" \"" + ui::fromQ(command) + "\"";
  const std::string text = memo->getText();
  const CommandRange existing = lastBindOf(text, ui::fromQ(key));
  if (existing.start >= 0) {
    memo->setSelStart(existing.start);
    memo->setSelLength(existing.end - existing.start);
    memo->replaceSel(bind);
  } else {
    const bool breakFirst = !text.empty() && text.back() != '\n' && text.back() != '\r';
    memo->setSelStart(memo->textLength());
    memo->replaceSel((breakFirst ? "\r\n" : "") + bind);
  }
  if (QWidget* main = host_->hostWindow()) main->activateWindow();
  memo->setFocus();
}

bool KeyboardWindow::exportPng() {
  ui::FileDialogRequest request;
  request.save = true;
  request.title = QStringLiteral("Сохранить клавиатуру как PNG");
  request.filter = QStringLiteral("PNG (*.png)|*.png");
  request.fileName = QStringLiteral("keyboard.png");
  request.directory = model_->gameDirectory();
  const ui::FileDialogResult chosen = ui::runFileDialog(this, request);
  if (!chosen.accepted) return false;
  QString path = chosen.path;
  if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) path += QStringLiteral(".png");
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  renderKeyboard(faces_, title()).save(&buffer, "PNG");
  const core::WriteResult written = core::writeFileAtomic(
      ui::toUtf8(path),
      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (!written.ok) {
    ui::showError(this, QStringLiteral("Картинка не сохранена:\n") + ui::fromUtf8(written.error));
    return false;
  }
  return true;
}

bool KeyboardWindow::print() {
  const QString heading = title();
  return ui::printPicture(
      this,
      [this, &heading](QPainter& painter, const QRectF& page) {
        KeyboardPicture(&faces_).paint(painter, page, heading);
      },
      QStringLiteral("Клавиатура"));
}

}  // namespace brindle::overview
