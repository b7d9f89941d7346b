#pragma once
// The font, colour and print dialogs. The font dialog offers face, size, style, the effects
// (underline, strike-out) and the text colour. Printing sends a plain text as one document to
// a printer or to a PDF file; the job title names the document in the printer queue.
// Tests install ScriptedCommonDialogs to answer these dialogs without a person.
#include <QColor>
#include <QFont>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

class QPainter;
class QPrinter;
class QRectF;

namespace brindle::ui {

struct FontChoice {
  QFont font;
  QColor color;
};

// Empty when the user cancels.
std::optional<FontChoice> chooseFont(QWidget* parent, const FontChoice& initial);
std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial);
// Shows the print dialog and prints `text` when the user confirms. Returns whether it printed.
// Printing to a file proposes "<jobTitle>.pdf", the characters a file name cannot hold replaced.
bool printText(QWidget* parent, const QString& text, const QFont& font, const QString& jobTitle);
// The same for a picture on one landscape page: `paint` draws it into the page's rectangle.
bool printPicture(QWidget* parent, const std::function<void(QPainter&, const QRectF&)>& paint,
                  const QString& jobTitle);

// Colours of the windowing layer's settings, laid out 0x00BBGGRR.
int colorToBgr(const QColor& c);
QColor colorFromBgr(int bgr);

class ScriptedCommonDialogs {
 public:
  struct PrintRequest {
    QString title;
    QString text;
  };

  ScriptedCommonDialogs();
  ~ScriptedCommonDialogs();
  ScriptedCommonDialogs(const ScriptedCommonDialogs&) = delete;
  ScriptedCommonDialogs& operator=(const ScriptedCommonDialogs&) = delete;

  // Each dialog takes the next answer of its kind; an empty answer (or none) cancels.
  void answerFont(std::optional<FontChoice> f) { fonts_.push_back(std::move(f)); }
  void answerColor(std::optional<QColor> c) { colors_.push_back(c); }
  // A confirmed print goes to this PDF file.
  void answerPrint(std::optional<QString> pdfPath) { prints_.push_back(std::move(pdfPath)); }

  // What each dialog was opened with.
  const std::vector<FontChoice>& fontRequests() const { return fontRequests_; }
  const std::vector<QColor>& colorRequests() const { return colorRequests_; }
  const std::vector<PrintRequest>& printRequests() const { return printRequests_; }

  static ScriptedCommonDialogs* active();

 private:
  friend std::optional<FontChoice> chooseFont(QWidget*, const FontChoice&);
  friend std::optional<QColor> chooseColor(QWidget*, const QColor&);
  // The print dialog step that printText and printPicture share.
  friend bool confirmPrint(QPrinter&, QWidget*, const QString&, const QString&);

  std::vector<std::optional<FontChoice>> fonts_;
  std::vector<std::optional<QColor>> colors_;
  std::vector<std::optional<QString>> prints_;
  std::vector<FontChoice> fontRequests_;
  std::vector<QColor> colorRequests_;
  std::vector<PrintRequest> printRequests_;
  ScriptedCommonDialogs* previous_ = nullptr;
};

}  // namespace brindle::ui
