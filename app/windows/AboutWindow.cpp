#include "app/windows/AboutWindow.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include "app/windows/HelpPages.h"
#include "ui/ToolWindow.h"

// Resources of a static library are registered by hand (outside any namespace).
static void initAboutResources() { Q_INIT_RESOURCE(about); }

namespace brindle::app {
namespace {

// The window's own colour: red 216, green 208, blue 200.
const QColor kBackground(216, 208, 200);

const QStringList kMemoLines = {
    QStringLiteral("Версия 2.3 ( 5 апреля 2002 г.)"),
    QStringLiteral("Программа распространяется бесплатно."),
    QStringLiteral("Её можно свободно копировать и передавать"),
    QStringLiteral("другим игрокам без изменений."),
    QString(),
    QStringLiteral("Brindle for Counter Strike - программа для создания и изменения"),
    QStringLiteral("файлов настройки для игры Counter Strike."),
    QString(),
    QStringLiteral("Программа предоставляется \"как есть\", без гарантий;"),
    QStringLiteral("перед изменением конфигов делайте их копии."),
    QString(),
    QStringLiteral("Свежая версия программы на сайте"),
    QStringLiteral("С предложениями и пожеланиями пишите мне на"),
};

QLabel* linkLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  QFont f = label->font();
  f.setUnderline(true);
  label->setFont(f);
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, Qt::blue);
  label->setPalette(p);
  label->setCursor(Qt::PointingHandCursor);
  label->adjustSize();
  return label;
}

}  // namespace

const QString AboutWindow::kWebAddress = QStringLiteral("http://brindle.example.org/");
const QString AboutWindow::kMailAddress = QStringLiteral("brindle@example.org");

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
  initAboutResources();
  setObjectName(QStringLiteral("TAbout"));
  setWindowTitle(QStringLiteral("О программе 'Brindle for Counter Strike'"));
  // A dialog frame with a close button only, above the tool windows.
  ui::setTitledFrame(this, Qt::Dialog, ui::TitleButtons::Close,
                     Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint);
  setModal(true);
  setFixedSize(375, 345);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kBackground);
  setPalette(pal);

  bevel_ = new QFrame(this);
  bevel_->setObjectName(QStringLiteral("Bevel1"));
  bevel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  bevel_->setLineWidth(2);
  bevel_->setGeometry(6, 6, 209 + 4, 135 + 4);
  banner_ = new QLabel(this);
  banner_->setObjectName(QStringLiteral("Image2"));
  banner_->setPixmap(QPixmap(QStringLiteral(":/about/banner.png")));
  banner_->setGeometry(8, 8, 209, 135);

  keycap_ = new QLabel(this);
  keycap_->setObjectName(QStringLiteral("Image1"));
  keycap_->setPixmap(QPixmap(QStringLiteral(":/about/keycap.png")));
  keycap_->setGeometry(248, 10, 100, 103);
  keycapCaption_ = new QLabel(QStringLiteral("Brindle 2.3"), this);
  keycapCaption_->setObjectName(QStringLiteral("Label1"));
  {
    QFont f = keycapCaption_->font();
    f.setBold(true);
    keycapCaption_->setFont(f);
    QPalette p = keycapCaption_->palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 128));  // navy
    keycapCaption_->setPalette(p);
  }
  keycapCaption_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  keycapCaption_->setGeometry(228, 118, 140, 22);

  text_ = new QTextEdit(this);
  text_->setObjectName(QStringLiteral("Memo1"));
  text_->setFrameStyle(QFrame::NoFrame);
  text_->setReadOnly(true);
  text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  text_->setLineWrapMode(QTextEdit::NoWrap);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  {
    QPalette p = text_->palette();
    p.setColor(QPalette::Base, kBackground);
    text_->setPalette(p);
    QFont f = text_->font();
    f.setPixelSize(10);
    text_->setFont(f);
    text_->document()->setDocumentMargin(0);
  }
  text_->setPlainText(kMemoLines.join(QLatin1Char('\n')));
  for (QTextBlock b = text_->document()->begin(); b.isValid(); b = b.next()) {
    QTextCursor c(b);
    QTextBlockFormat format = b.blockFormat();
    format.setAlignment(Qt::AlignHCenter);
    c.setBlockFormat(format);
  }
  text_->setGeometry(2, 146, 371, 166);

  webLink_ = linkLabel(QStringLiteral("StaticText1"), kWebAddress, this);
  mailLink_ = linkLabel(QStringLiteral("StaticText2"), kMailAddress, this);
  webLink_->move(375 - 12 - webLink_->width(), 312);
  mailLink_->move(375 - 12 - mailLink_->width(), 327);
  webLink_->installEventFilter(this);
  mailLink_->installEventFilter(this);

  // Centred on the screen.
  if (const QScreen* screen = this->screen()) {
    QRect r = frameGeometry();
    r.moveCenter(screen->availableGeometry().center());
    move(r.topLeft());
  }
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched == webLink_) openWebLink();
    if (watched == mailLink_) openMailLink();
  }
  return QDialog::eventFilter(watched, event);
}

void AboutWindow::openWebLink() { openUrl(kWebAddress); }

void AboutWindow::openMailLink() { openUrl(QStringLiteral("mailto:") + kMailAddress); }

void AboutWindow::showFresh(QWidget* owner) {
  QPointer<AboutWindow> about = new AboutWindow(owner);
  about->exec();
  delete about;  // nothing when the owner took it with it
}

}  // namespace brindle::app
