#include "editor/windows/ConfigHighlighter.h"

#include <QEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "ui/CfgEdit.h"
#include "ui/Codec.h"

namespace brindle::editor {

namespace {

// Lines above and below the screen that are highlighted ahead of scrolling.
constexpr int kMargin = 40;

// A change of more characters than this (a loaded document, a large paste) is not highlighted
// line by line; the lines on screen are, right after it.
constexpr int kBulkChange = 16 * 1024;

// What a line keeps between highlightings: whether its formats are current, and the problems
// of the last check that need more than the line to be found.
class LineData : public QTextBlockUserData {
 public:
  struct Mark {
    int start = 0;
    int length = 0;
    Severity severity = Severity::Warning;
  };
  int generation = 0;
  std::vector<Mark> marks;
};

LineData* lineData(const QTextBlock& block) { return static_cast<LineData*>(block.userData()); }

double channel(int value) {
  const double c = value / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// Relative luminance as the contrast rules of web accessibility define it.
double luminance(const QColor& c) {
  return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

// Hues of the kinds, chosen to stay apart from each other. On a mid-tone background every
// colour has to be dark (or light) to read, and the hues come close; bold and italic keep the
// kinds apart then.
constexpr int kCommandHue = 230;
constexpr int kVariableHue = 285;
constexpr int kValueHue = 15;
constexpr int kCommentHue = 125;
constexpr int kAliasHue = 185;
constexpr int kKeyHue = 325;
constexpr int kErrorHue = 0;
constexpr int kWarningHue = 40;

}  // namespace

ConfigHighlighter::ConfigHighlighter(ui::CfgEdit* edit,
                                     std::shared_ptr<const core::Vocabulary> vocabulary)
    : QSyntaxHighlighter(edit->document()),
      edit_(edit),
      viewport_(edit->viewport()),
      vocabulary_(std::move(vocabulary)),
      visibleTimer_(new QTimer(this)) {
  setObjectName(QStringLiteral("ConfigHighlighter"));
  if (!vocabulary_) vocabulary_ = std::make_shared<core::Vocabulary>();
  updateColors();
  visibleTimer_->setSingleShot(true);
  visibleTimer_->setInterval(0);
  connect(visibleTimer_, &QTimer::timeout, this, &ConfigHighlighter::highlightVisibleNow);
  // QSyntaxHighlighter would go over every line a change touches, also those of a whole
  // document just loaded; this class does that only for small changes.
  disconnect(document(), &QTextDocument::contentsChange, this, nullptr);
  connect(document(), &QTextDocument::contentsChange, this, &ConfigHighlighter::documentChanged);
  connect(edit_, &QPlainTextEdit::updateRequest, this, &ConfigHighlighter::scheduleVisible);
  connect(edit_->verticalScrollBar(), &QScrollBar::valueChanged, this,
          &ConfigHighlighter::scheduleVisible);
  edit_->installEventFilter(this);
  viewport_->installEventFilter(this);
}

void ConfigHighlighter::setFileAliases(core::NameSet aliases) {
  if (aliases == aliases_) return;
  aliases_ = std::move(aliases);
  ++generation_;
  scheduleVisible();
}

void ConfigHighlighter::setProblems(const std::vector<Problem>& problems) {
  QTextDocument* doc = document();
  if (haveFileProblems_) {
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
      LineData* d = lineData(b);
      if (d && !d->marks.empty()) {
        d->marks.clear();
        d->generation = 0;
      }
    }
  }
  haveFileProblems_ = false;
  // The problems come in the order of the text: the blocks are walked along with them.
  QTextBlock b = doc->begin();
  for (const Problem& p : problems) {
    // Unknown words are marked by their kind as the line is highlighted.
    if (isLineProblem(p.kind) || p.kind == ProblemKind::UnknownWord) continue;
    const int line = static_cast<int>(p.line) - 1;
    if (!b.isValid() || b.blockNumber() > line) b = doc->findBlockByNumber(line);
    while (b.isValid() && b.blockNumber() < line) b = b.next();
    if (!b.isValid()) continue;
    LineData* d = lineData(b);
    if (!d) {
      d = new LineData;
      b.setUserData(d);
    }
    const int start = std::clamp(static_cast<int>(p.column) - 1, 0, std::max(b.length() - 1, 0));
    const auto length = static_cast<int>(std::min<core::Offset>(p.length, b.length() - 1 - start));
    d->marks.push_back({start, std::max(length, 1), p.severity});
    d->generation = 0;
    haveFileProblems_ = true;
  }
  scheduleVisible();
}

QTextCharFormat ConfigHighlighter::tokenFormat(core::TokenKind kind) const {
  return formats_[static_cast<std::size_t>(kind)];
}

QTextCharFormat ConfigHighlighter::problemFormat(Severity severity) const {
  return severity == Severity::Error ? errorWave_ : warningWave_;
}

double ConfigHighlighter::contrast(const QColor& a, const QColor& b) {
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ConfigHighlighter::readableColor(int hue, const QColor& background, const QColor& text) {
  constexpr double kWanted = 4.5;
  const bool darker = luminance(text) <= luminance(background);
  QColor best;
  double bestContrast = 0;
  // From the middle towards the side of the text colour, the most colourful lightness that
  // reads; should the background allow none, the other side, then the best found.
  for (const bool dark : {darker, !darker}) {
    for (int step = 0; step <= 50; ++step) {
      const double l = dark ? 0.5 - step * 0.01 : 0.5 + step * 0.01;
      const QColor c =
          QColor::fromHslF(static_cast<float>(hue) / 360.0f, 1.0f, static_cast<float>(l));
      const double k = contrast(c, background);
      if (k >= kWanted) return c;
      if (k > bestContrast) {
        bestContrast = k;
        best = c;
      }
    }
  }
  return best;
}

void ConfigHighlighter::updateColors() {
  const QPalette palette = edit_->palette();
  const QColor background = palette.color(QPalette::Base);
  const QColor text = palette.color(QPalette::Text);
  auto colored = [&](int hue, bool bold = false, bool italic = false) {
    QTextCharFormat f;
    f.setForeground(readableColor(hue, background, text));
    if (bold) f.setFontWeight(QFont::Bold);
    if (italic) f.setFontItalic(true);
    return f;
  };
  auto wave = [&](int hue) {
    QTextCharFormat f;
    f.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    f.setUnderlineColor(readableColor(hue, background, text));
    return f;
  };
  errorWave_ = wave(kErrorHue);
  warningWave_ = wave(kWarningHue);
  formats_.assign(8, QTextCharFormat());
  formats_[static_cast<std::size_t>(core::TokenKind::Command)] = colored(kCommandHue, true);
  formats_[static_cast<std::size_t>(core::TokenKind::Action)] = colored(kCommandHue, true);
  formats_[static_cast<std::size_t>(core::TokenKind::Variable)] = colored(kVariableHue);
  formats_[static_cast<std::size_t>(core::TokenKind::Value)] = colored(kValueHue);
  formats_[static_cast<std::size_t>(core::TokenKind::Comment)] = colored(kCommentHue, false, true);
  formats_[static_cast<std::size_t>(core::TokenKind::AliasName)] = colored(kAliasHue, true, true);
  formats_[static_cast<std::size_t>(core::TokenKind::KeyName)] = colored(kKeyHue);
  formats_[static_cast<std::size_t>(core::TokenKind::Unknown)] = warningWave_;
}

void ConfigHighlighter::documentChanged(int from, int removed, int added) {
  if (removed == 0 && added == 0) return;  // formats only
  QTextDocument* doc = document();
  if (added > kBulkChange || removed > kBulkChange) {
    ++generation_;  // the lines around the change keep old formats until they are redone
    scheduleVisible();
    return;
  }
  const QTextBlock last = doc->findBlock(std::min(from + added, doc->characterCount() - 1));
  for (QTextBlock b = doc->findBlock(from); b.isValid(); b = b.next()) {
    rehighlightBlock(b);
    if (b == last) break;
  }
}

void ConfigHighlighter::scheduleVisible() {
  if (!visibleTimer_->isActive()) visibleTimer_->start();
}

void ConfigHighlighter::updateVisibleRange() {
  firstVisible_ = edit_->cursorForPosition(QPoint(0, 0)).blockNumber();
  lastVisible_ = edit_->cursorForPosition(QPoint(0, edit_->viewport()->height())).blockNumber();
}

void ConfigHighlighter::highlightVisibleNow() {
  updateVisibleRange();
  QTextDocument* doc = document();
  const int first = std::max(0, firstVisible_ - kMargin);
  const int last = std::min(doc->blockCount() - 1, lastVisible_ + kMargin);
  for (QTextBlock b = doc->findBlockByNumber(first); b.isValid() && b.blockNumber() <= last;
       b = b.next()) {
    const LineData* d = lineData(b);
    if (!d || d->generation != generation_) rehighlightBlock(b);
  }
}

void ConfigHighlighter::highlightBlock(const QString& text) {
  const int number = currentBlock().blockNumber();
  auto* data = static_cast<LineData*>(currentBlockUserData());
  if (number < firstVisible_ - kMargin || number > lastVisible_ + kMargin) {
    // Off screen: left plain until it scrolls into view.
    if (data) data->generation = 0;
    return;
  }
  if (!data) {
    data = new LineData;
    setCurrentBlockUserData(data);
  }
  data->generation = generation_;

  const std::string line = ui::fromQ(text);
  for (const core::ScriptToken& t : core::tokenize(line, *vocabulary_, &aliases_)) {
    if (t.kind == core::TokenKind::Value && !t.quoted) continue;
    setFormat(static_cast<int>(t.start), static_cast<int>(t.length),
              formats_[static_cast<std::size_t>(t.kind)]);
  }
  for (const Problem& p : checkLine(line, *vocabulary_))
    underline(static_cast<int>(p.offset), static_cast<int>(p.length), problemFormat(p.severity));
  for (const LineData::Mark& m : data->marks)
    underline(m.start, m.length, problemFormat(m.severity));
}

void ConfigHighlighter::underline(int start, int length, const QTextCharFormat& wave) {
  const int end = std::min(start + length, currentBlock().length() - 1);
  int i = std::max(start, 0);
  while (i < end) {
    QTextCharFormat f = format(i);
    int j = i + 1;
    while (j < end && format(j) == f) ++j;
    f.setUnderlineStyle(wave.underlineStyle());
    f.setUnderlineColor(wave.underlineColor());
    setFormat(i, j - i, f);
    i = j;
  }
}

bool ConfigHighlighter::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_ && event->type() == QEvent::PaletteChange) {
    updateColors();
    ++generation_;
    scheduleVisible();
  } else if (watched == viewport_ && event->type() == QEvent::Resize) {
    scheduleVisible();
  }
  return QSyntaxHighlighter::eventFilter(watched, event);
}

}  // namespace brindle::editor
