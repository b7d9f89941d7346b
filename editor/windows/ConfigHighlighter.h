#pragma once
// Highlighting of console scripts in the editor control: commands and actions, variables,
// quoted values, comments, alias names, the keys of `bind`, and a wavy underline under words
// the game does not know and under the problems of the checks.
//
// Colours follow the editor's own: each kind keeps its hue but takes the lightness that reads
// against the background the user chose (contrast 4.5:1 where the background allows it).
//
// Only lines on screen (and a margin around them) are highlighted; the others are brought up
// to date when they scroll into view. So a 10 MB config opens about as fast as without
// highlighting. Highlighting only sets display formats: the text, its undo history and the
// modified flag are untouched.
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <memory>
#include <vector>

#include "core/ConsoleScript.h"
#include "editor/logic/ConfigCheck.h"

class QTimer;

namespace brindle::ui {
class CfgEdit;
}

namespace brindle::editor {

class ConfigHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  ConfigHighlighter(ui::CfgEdit* edit, std::shared_ptr<const core::Vocabulary> vocabulary);

  // The aliases the document defines (from the last check): their uses are known words.
  void setFileAliases(core::NameSet aliases);
  const core::NameSet& fileAliases() const { return aliases_; }
  // The problems of the last check. Those that follow from a single line are found again as
  // the line is highlighted; the others are underlined where the check found them, until the
  // next check.
  void setProblems(const std::vector<Problem>& problems);

  // The format of a kind, and of the underline of a problem, in the editor's current colours.
  QTextCharFormat tokenFormat(core::TokenKind kind) const;
  QTextCharFormat problemFormat(Severity severity) const;

  // The lines on screen are highlighted now (they are otherwise at the next repaint).
  void highlightVisibleNow();

  // A colour of the hue that reads on `background`: contrast 4.5:1 when possible, else the
  // best the background allows; lighter or darker as `text` is lighter or darker than it.
  static QColor readableColor(int hue, const QColor& background, const QColor& text);
  static double contrast(const QColor& a, const QColor& b);

 protected:
  void highlightBlock(const QString& text) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void updateColors();
  void documentChanged(int from, int removed, int added);
  void scheduleVisible();
  void updateVisibleRange();
  void underline(int start, int length, const QTextCharFormat& wave);

  ui::CfgEdit* edit_;
  QWidget* viewport_;  // kept: events may still come while the editor is being destroyed
  std::shared_ptr<const core::Vocabulary> vocabulary_;
  core::NameSet aliases_;
  std::vector<QTextCharFormat> formats_;  // by TokenKind
  QTextCharFormat errorWave_;
  QTextCharFormat warningWave_;
  QTimer* visibleTimer_;
  int firstVisible_ = 0;
  int lastVisible_ = 80;
  int generation_ = 1;  // bumped when colours, aliases or problems change
  bool haveFileProblems_ = false;
};

}  // namespace brindle::editor
