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

  Bevel1 = new QFrame(this);
  Bevel1->setObjectName(QStringLiteral("Bevel1"));
  Bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Bevel1->setLineWidth(2);
  Bevel1->setGeometry(6, 6, 209 + 4, 135 + 4);
  Image2 = new QLabel(this);
  Image2->setObjectName(QStringLiteral("Image2"));
  Image2->setPixmap(QPixmap(QStringLiteral(":/about/banner.png")));
  Image2->setGeometry(8, 8, 209, 135);

  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setPixmap(QPixmap(QStringLiteral(":/about/keycap.png")));
  Image1->setGeometry(248, 10, 100, 103);
  Label1 = new QLabel(QStringLiteral("Brindle 2.3"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  {
    QFont f = Label1->font();
    f.setBold(true);
    Label1->setFont(f);
    QPalette p = Label1->palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 128));  // navy
    Label1->setPalette(p);
  }
  Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Label1->setGeometry(228, 118, 140, 22);

  Memo1 = new QTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setFrameStyle(QFrame::NoFrame);
  Memo1->setReadOnly(true);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setLineWrapMode(QTextEdit::NoWrap);
  Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse);
  {
    QPalette p = Memo1->palette();
    p.setColor(QPalette::Base, kBackground);
    Memo1->setPalette(p);
    QFont f = Memo1->font();
    f.setPixelSize(10);
    Memo1->setFont(f);
    Memo1->document()->setDocumentMargin(0);
  }
  Memo1->setPlainText(kMemoLines.join(QLatin1Char('\n')));
  for (QTextBlock b = Memo1->document()->begin(); b.isValid(); b = b.next()) {
    QTextCursor c(b);
    QTextBlockFormat format = b.blockFormat();
    format.setAlignment(Qt::AlignHCenter);
    c.setBlockFormat(format);
  }
  Memo1->setGeometry(2, 146, 371, 166);

  StaticText1 = linkLabel(QStringLiteral("StaticText1"), kWebAddress, this);
  StaticText2 = linkLabel(QStringLiteral("StaticText2"), kMailAddress, this);
  StaticText1->move(375 - 12 - StaticText1->width(), 312);
  StaticText2->move(375 - 12 - StaticText2->width(), 327);
  StaticText1->installEventFilter(this);
  StaticText2->installEventFilter(this);

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
    if (watched == StaticText1) openWebLink();
    if (watched == StaticText2) openMailLink();
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
