#include "ui/FontColorPrint.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QVBoxLayout>

namespace brindle::ui {
namespace {

ScriptedCommonDialogs* g_dialogs = nullptr;

// "<title>.pdf" with the characters a file name cannot hold (on any of the usual systems)
// replaced. The whole title is kept: ".3)" of "... (версия 2.3)" is no extension.
QString pdfFileName(const QString& title) {
  QString name = title.trimmed();
  for (QChar& c : name)
    if (c.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(c)) c = QLatin1Char('_');
  if (name.isEmpty()) name = QStringLiteral("print");
  return name + QStringLiteral(".pdf");
}

// Proposes the PDF file for printing to a file in the folder the print dialog chose. Qt's own
// proposal cuts what it takes for an extension off the document name.
void proposePdfFile(QPrintDialog& dialog, const QString& title) {
  auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
  if (file == nullptr) return;
  const QString proposed = file->text();
  QString folder = proposed.isEmpty()        ? QDir::homePath()
                   : proposed.endsWith(u'/') ? proposed.chopped(1)
                                             : QFileInfo(proposed).path();
  file->setText(QDir(folder).filePath(pdfFileName(title)));
}

template <typename T>
T takeFront(std::vector<T>& v) {
  T value = std::move(v.front());
  v.erase(v.begin());
  return value;
}

// The sixteen basic colours a font's colour is usually picked from.
struct NamedColor {
  const char* name;
  QRgb rgb;
};
constexpr NamedColor kBasicColors[] = {
    {"Черный", 0x000000},       {"Темно-бордовый", 0x800000}, {"Зеленый", 0x008000},
    {"Оливковый", 0x808000},    {"Темно-синий", 0x000080},    {"Фиолетовый", 0x800080},
    {"Сине-зеленый", 0x008080}, {"Серый", 0x808080},          {"Серебристый", 0xC0C0C0},
    {"Красный", 0xFF0000},      {"Ярко-зеленый", 0x00FF00},   {"Желтый", 0xFFFF00},
    {"Синий", 0x0000FF},        {"Фуксия", 0xFF00FF},         {"Морская волна", 0x00FFFF},
    {"Белый", 0xFFFFFF},
};

QIcon swatch(const QColor& c) {
  QPixmap pm(24, 12);
  pm.fill(c);
  QPainter p(&pm);
  p.setPen(Qt::black);
  p.drawRect(0, 0, pm.width() - 1, pm.height() - 1);
  return QIcon(pm);
}

// The font dialog of the platform layer plus a colour list, as one dialog.
class FontAndColorDialog : public QDialog {
 public:
  FontAndColorDialog(QWidget* parent, const FontChoice& initial) : QDialog(parent) {
    setObjectName(QStringLiteral("FontDialog1"));
    setWindowTitle(QStringLiteral("Шрифт"));
    fonts_ = new QFontDialog(this);
    fonts_->setWindowFlags(Qt::Widget);
    fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts_->setCurrentFont(initial.font);
    // The embedded font dialog handles Enter and Escape itself (and hides); they answer the
    // whole dialog.
    connect(fonts_, &QDialog::finished, this,
            [this](int result) { result == QDialog::Accepted ? accept() : reject(); });

    colors_ = new QComboBox(this);
    colors_->setObjectName(QStringLiteral("FontColor"));
    bool known = false;
    for (const NamedColor& nc : kBasicColors) {
      const QColor c = QColor::fromRgb(nc.rgb);
      colors_->addItem(swatch(c), QString::fromUtf8(nc.name), c);
      if (c.rgb() == initial.color.rgb()) {
        colors_->setCurrentIndex(colors_->count() - 1);
        known = true;
      }
    }
    if (!known) {
      colors_->addItem(swatch(initial.color), QStringLiteral("Другой"), initial.color);
      colors_->setCurrentIndex(colors_->count() - 1);
    }
    auto* colorLabel = new QLabel(QStringLiteral("&Цвет:"), this);
    colorLabel->setBuddy(colors_);
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(colorLabel);
    colorRow->addWidget(colors_);
    colorRow->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fonts_);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
  }

  FontChoice choice() const {
    return {fonts_->currentFont(), colors_->currentData().value<QColor>()};
  }

 private:
  QFontDialog* fonts_;
  QComboBox* colors_;
};

}  // namespace

int colorToBgr(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

QColor colorFromBgr(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

ScriptedCommonDialogs::ScriptedCommonDialogs() : previous_(g_dialogs) { g_dialogs = this; }
ScriptedCommonDialogs::~ScriptedCommonDialogs() { g_dialogs = previous_; }
ScriptedCommonDialogs* ScriptedCommonDialogs::active() { return g_dialogs; }

std::optional<FontChoice> chooseFont(QWidget* parent, const FontChoice& initial) {
  if (g_dialogs) {
    g_dialogs->fontRequests_.push_back(initial);
    if (g_dialogs->fonts_.empty()) return std::nullopt;
    return takeFront(g_dialogs->fonts_);
  }
  FontAndColorDialog dialog(parent, initial);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.choice();
}

std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) {
  if (g_dialogs) {
    g_dialogs->colorRequests_.push_back(initial);
    if (g_dialogs->colors_.empty()) return std::nullopt;
    return takeFront(g_dialogs->colors_);
  }
  QColorDialog dialog(initial, parent);
  dialog.setObjectName(QStringLiteral("ColorDialog1"));
  dialog.setWindowTitle(QStringLiteral("Цвет"));
  dialog.setOption(QColorDialog::DontUseNativeDialog, true);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.selectedColor();
}

// The print dialog, or the test's scripted answer: whether to print, with `printer` set up.
bool confirmPrint(QPrinter& printer, QWidget* parent, const QString& jobTitle,
                  const QString& text) {
  printer.setDocName(jobTitle);
  printer.setCreator(jobTitle);
  if (g_dialogs) {
    g_dialogs->printRequests_.push_back({jobTitle, text});
    if (g_dialogs->prints_.empty()) return false;
    const std::optional<QString> pdf = takeFront(g_dialogs->prints_);
    if (!pdf) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(*pdf);
    return true;
  }
  QPrintDialog dialog(&printer, parent);
  dialog.setObjectName(QStringLiteral("PrintDialog1"));
  dialog.setWindowTitle(QStringLiteral("Печать"));
  // The whole document is printed: no selection or page range, but a printer or a PDF file.
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                    QAbstractPrintDialog::PrintCollateCopies);
  proposePdfFile(dialog, jobTitle);
  return dialog.exec() == QDialog::Accepted;
}

bool printText(QWidget* parent, const QString& text, const QFont& font, const QString& jobTitle) {
  QPrinter printer(QPrinter::HighResolution);
  if (!confirmPrint(printer, parent, jobTitle, text)) return false;
  QTextDocument document;
  document.setDefaultFont(font);
  document.setPlainText(text);
  document.setMetaInformation(QTextDocument::DocumentTitle, jobTitle);
  document.print(&printer);
  return true;
}

bool printPicture(QWidget* parent, const std::function<void(QPainter&, const QRectF&)>& paint,
                  const QString& jobTitle) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  if (!confirmPrint(printer, parent, jobTitle, QString())) return false;
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  paint(painter, QRectF(printer.pageRect(QPrinter::DevicePixel)
                            .translated(-printer.pageRect(QPrinter::DevicePixel).topLeft())));
  painter.end();
  return true;
}

}  // namespace brindle::ui
