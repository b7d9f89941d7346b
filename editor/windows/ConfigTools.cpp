#include "editor/windows/ConfigTools.h"

#include <QHelpEvent>
#include <QTextBlock>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

#include "editor/windows/CompletionPopup.h"
#include "editor/windows/ConfigHighlighter.h"
#include "editor/windows/ProblemWindow.h"
#include "ui/CfgEdit.h"
#include "ui/Codec.h"

namespace brindle::editor {

ConfigTools::ConfigTools(ui::CfgEdit* edit, const core::KnownWords& words,
                         ExplanationLookup explain, QWidget* toolParent)
    : QObject(edit),
      edit_(edit),
      viewport_(edit->viewport()),
      vocabulary_(std::make_shared<const core::Vocabulary>(words)),
      explain_(std::move(explain)),
      highlighter_(new ConfigHighlighter(edit, vocabulary_)),
      problems_(new ProblemWindow(edit, toolParent)),
      completion_(new CompletionPopup(
          edit, vocabulary_,
          [this]() -> const core::NameSet& { return highlighter_->fileAliases(); },
          [this] { return kind_ != ConfigKind::Player; })),
      pause_(new QTimer(this)) {
  setObjectName(QStringLiteral("ConfigTools"));
  pause_->setSingleShot(true);
  pause_->setInterval(kPauseMs);
  connect(pause_, &QTimer::timeout, this, &ConfigTools::checkNow);
  connect(edit_, &ui::CfgEdit::textEdited, pause_, qOverload<>(&QTimer::start));
  // A document loaded as a whole (Open, New) is checked after the same pause, so that its
  // aliases count as known words.
  connect(edit_, &QPlainTextEdit::blockCountChanged, pause_, qOverload<>(&QTimer::start));
  viewport_->installEventFilter(this);
  connect(problems_.data(), &ProblemWindow::kindChosen, this, &ConfigTools::setKind);
  pause_->start();
}

void ConfigTools::setKind(ConfigKind kind) {
  chosenKind_ = kind;
  checkNow();
}

ConfigTools::~ConfigTools() {
  // The problem window belongs to the tool parent, which may outlive the editor.
  delete problems_.data();
}

ProblemWindow* ConfigTools::problemWindow() const { return problems_.data(); }

void ConfigTools::checkConfig() {
  disk_.reset();  // the files around the document may have changed since the last command
  checkNow();
  if (!placed_) {
    // The first time, over the lower part of the editor, where it hides little.
    const QRect editor(edit_->mapToGlobal(QPoint(0, 0)), edit_->size());
    problems_->move(editor.left() + 40,
                    std::max(editor.top(), editor.bottom() - problems_->height() - 40));
    placed_ = true;
  }
  problems_->show();
  problems_->raise();
}

void ConfigTools::checkNow() {
  pause_->stop();
  const std::string text = edit_->getText();
  const DocumentPlace place = place_ ? place_() : DocumentPlace{};
  if (place.path != lastPath_) {  // another file: its own kind, its own game directory
    lastPath_ = place.path;
    chosenKind_.reset();
    disk_.reset();
  }
  // The game directory around the file (its cstrike folder, or the one with liblist.gam);
  // without one, the directory the user chose when the file lies in it. Found again when the
  // file or the chosen directory changes, or when the user asks for a check.
  if (!disk_ || place.gameDir != lastGameDir_) {
    lastGameDir_ = place.gameDir;
    ContextRequest request;
    request.chosenGameDir = place.gameDir;
    context_ = locateDocument(place.path, request);
  }
  judgeDocument(context_, text, vocabulary_.get(), chosenKind_);
  kind_ = context_.kind;
  CheckOptions options;
  options.suggestions = &suggestions_;
  options.kind = kind_;
  if (place.path.empty()) {
    result_ = editor::checkConfig(text, *vocabulary_, options);
  } else {
    options.gameDirKnown = context_.gameDirKnown;
    if (!disk_ || disk_->gameDir() != context_.gameDir)
      disk_ = std::make_unique<DiskSource>(context_.gameDir);
    result_ = checkInChain(text, context_.relPath, *disk_, *vocabulary_, options);
  }
  if (problems_) problems_->setContext(context_);
  highlighter_->setFileAliases(result_.aliases);
  highlighter_->setProblems(result_.problems);
  if (problems_) problems_->setProblems(result_.problems);
}

QString ConfigTools::hoverText(const QPoint& point) const {
  QTextCursor c = edit_->cursorForPosition(point);
  // The caret position nearest to the point; the character under it is the one before when
  // the point lies left of that caret.
  int position = c.positionInBlock();
  if (position > 0 && point.x() < edit_->cursorRect(c).left()) --position;
  const QTextBlock block = c.block();
  const std::string line = ui::fromQ(block.text());
  if (position >= static_cast<int>(line.size())) return {};
  const core::WordAt w =
      core::wordAt(line, position, *vocabulary_, &highlighter_->fileAliases(), false);

  QStringList parts;
  if (w.found && w.token.kind != core::TokenKind::Comment && explain_) {
    const std::string word = line.substr(static_cast<std::size_t>(w.textStart),
                                         static_cast<std::size_t>(w.textEnd - w.textStart));
    const std::string text = word.empty() ? std::string() : explain_(word);
    if (!text.empty()) {
      parts << QStringLiteral("<b>%1</b> — %2")
                   .arg(ui::toQ(word).toHtmlEscaped(), ui::toQ(text).trimmed().toHtmlEscaped());
    } else if (const core::WordInfo* info = wordInfo(w.token.kind, word)) {
      // A word without an explanation of ours: where it comes from, and its values when its
      // source gives them.
      std::string origin = core::Vocabulary::originText(*info);
      if (!info->values.empty()) origin += "; значения: " + info->values.describe();
      parts << QStringLiteral("<b>%1</b> — %2")
                   .arg(ui::toQ(word).toHtmlEscaped(),
                        QString::fromStdString(origin).toHtmlEscaped());
    }
  }
  // Problems under the point, from the last check.
  const core::Offset offset = edit_->offsetOf(block.position() + position);
  for (const Problem& p : result_.problems)
    if (offset >= p.offset && offset < p.offset + p.length)
      parts << QStringLiteral("%1: %2").arg(
          QString::fromUtf8(severityName(p.severity).data(),
                            static_cast<qsizetype>(severityName(p.severity).size())),
          QString::fromStdString(p.message).toHtmlEscaped());
  if (parts.isEmpty()) return {};
  return QStringLiteral("<p style='white-space:pre-wrap'>%1</p>")
      .arg(parts.join(QStringLiteral("<br>")));
}

const core::WordInfo* ConfigTools::wordInfo(core::TokenKind kind, std::string_view word) const {
  if (kind != core::TokenKind::Command && kind != core::TokenKind::Variable &&
      kind != core::TokenKind::Action)
    return nullptr;
  return vocabulary_->lookup(word).info;
}

bool ConfigTools::eventFilter(QObject* watched, QEvent* event) {
  if (watched == viewport_ && event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QString text = hoverText(help->pos());
    if (text.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(help->globalPos(), text, edit_->viewport());
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace brindle::editor
