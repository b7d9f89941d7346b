#include "editor/windows/ProblemWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/CfgEdit.h"
#include "ui/Codec.h"

namespace brindle::editor {

namespace {
constexpr int kOffsetRole = Qt::UserRole;
constexpr int kLengthRole = Qt::UserRole + 1;
}  // namespace

ProblemWindow::ProblemWindow(ui::CfgEdit* edit, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      edit_(edit) {
  setObjectName(QStringLiteral("ProblemWindow"));
  setWindowTitle(QStringLiteral("Проверка конфига"));
  resize(680, 220);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);

  auto* kindRow = new QHBoxLayout;
  auto* kindLabel = new QLabel(QStringLiteral("Вид файла:"), this);
  kindLabel->setObjectName(QStringLiteral("ConfigKindLabel"));
  kind_ = new QComboBox(this);
  kind_->setObjectName(QStringLiteral("ConfigKindBox"));
  for (const ConfigKind k : {ConfigKind::Player, ConfigKind::Server, ConfigKind::Plugin}) {
    const std::string_view text = configKindText(k);
    kind_->addItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                   static_cast<int>(k));
  }
  kind_->setToolTip(
      QStringLiteral("Слово чужой стороны проверка отмечает по виду файла: переменная сервера "
                     "в конфиге игрока, переменная клиента в конфиге сервера"));
  kindLabel->setBuddy(kind_);
  kindNote_ = new QLabel(this);
  kindNote_->setObjectName(QStringLiteral("ConfigKindNote"));
  kindRow->addWidget(kindLabel);
  kindRow->addWidget(kind_);
  kindRow->addWidget(kindNote_, 1);
  layout->addLayout(kindRow);
  place_ = new QLabel(this);
  place_->setObjectName(QStringLiteral("ConfigPlace"));
  place_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(place_);
  connect(kind_, &QComboBox::activated, this, [this](int index) {
    kindNote_->clear();
    Q_EMIT kindChosen(static_cast<ConfigKind>(kind_->itemData(index).toInt()));
  });

  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("ProblemList"));
  list_->setColumnCount(3);
  list_->setHeaderLabels(
      {QStringLiteral("Строка"), QStringLiteral("Столбец"), QStringLiteral("Сообщение")});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAllColumnsShowFocus(true);
  list_->header()->setStretchLastSection(true);
  list_->setColumnWidth(0, 64);
  list_->setColumnWidth(1, 64);
  layout->addWidget(list_, 1);

  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("ProblemSummary"));
  layout->addWidget(summary_);

  connect(list_, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item, int) { activate(item); });
  setProblems({});
}

void ProblemWindow::setContext(const DocumentContext& context) {
  kind_->setCurrentIndex(kind_->findData(static_cast<int>(context.kind)));
  kindNote_->setText(context.kindGuessed ? QStringLiteral("(по содержимому и имени файла)")
                                         : QString());
  if (context.gameDir.empty())
    place_->setText(QStringLiteral("Файл не сохранён: проверяется только его текст"));
  else if (!context.gameDirKnown)
    place_->setText(QStringLiteral("Каталог игры не найден: exec ищет файлы в папке %1")
                        .arg(ui::fromUtf8(context.gameDir)));
  else
    place_->setText(QStringLiteral("Каталог игры: %1, файл: %2")
                        .arg(ui::fromUtf8(context.gameDir), ui::fromUtf8(context.relPath)));
}

ConfigKind ProblemWindow::kind() const {
  return static_cast<ConfigKind>(kind_->currentData().toInt());
}

void ProblemWindow::setProblems(const std::vector<Problem>& problems) {
  const QIcon error = style()->standardIcon(QStyle::SP_MessageBoxCritical);
  const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
  const QIcon note = style()->standardIcon(QStyle::SP_MessageBoxInformation);
  list_->setUpdatesEnabled(false);
  list_->clear();
  QList<QTreeWidgetItem*> items;
  std::size_t errors = 0;
  std::size_t notes = 0;
  for (const Problem& p : problems) {
    if (p.severity == Severity::Error) ++errors;
    if (p.severity == Severity::Note) ++notes;
    if (static_cast<std::size_t>(items.size()) >= kMaxRows) continue;
    auto* item = new QTreeWidgetItem(
        {QString::number(p.line), QString::number(p.column), QString::fromStdString(p.message)});
    item->setIcon(0, p.severity == Severity::Error     ? error
                     : p.severity == Severity::Warning ? warning
                                                       : note);
    item->setToolTip(2, QString::fromStdString(p.message));
    item->setData(0, kOffsetRole, QVariant::fromValue<qlonglong>(p.offset));
    item->setData(0, kLengthRole, QVariant::fromValue<qlonglong>(p.length));
    items.append(item);
  }
  list_->addTopLevelItems(items);
  list_->setUpdatesEnabled(true);

  const std::size_t warnings = problems.size() - errors - notes;
  QString summary =
      problems.empty() ? QStringLiteral("Ошибок не найдено")
                       : QStringLiteral("Ошибок: %1, предупреждений: %2").arg(errors).arg(warnings);
  if (notes > 0) summary += QStringLiteral(", замечаний: %1").arg(notes);
  if (problems.size() > kMaxRows) summary += QStringLiteral(" (показаны первые %1)").arg(kMaxRows);
  summary_->setText(summary);
}

void ProblemWindow::activate(QTreeWidgetItem* item) {
  if (!item) return;
  const auto offset = static_cast<core::Offset>(item->data(0, kOffsetRole).toLongLong());
  const auto length = static_cast<core::Offset>(item->data(0, kLengthRole).toLongLong());
  if (edit_) {
    edit_->setSelStart(offset);
    edit_->centerCursor();
    edit_->window()->activateWindow();
    edit_->setFocus();
  }
  Q_EMIT problemActivated(offset, length);
}

}  // namespace brindle::editor
