#include "overview/windows/EffectiveWindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "overview/windows/OverviewModel.h"
#include "ui/Codec.h"
#include "ui/ToolWindow.h"

namespace brindle::overview {
namespace {

constexpr int kFileRole = Qt::UserRole;
constexpr int kLineRole = Qt::UserRole + 1;

QString lineOf(const editor::SourceLine& at) { return ui::fromUtf8(editor::lineText(at)); }

QTreeWidget* newTable(QWidget* parent, const char* name, const QStringList& headers) {
  auto* table = new QTreeWidget(parent);
  table->setObjectName(QString::fromLatin1(name));
  table->setColumnCount(static_cast<int>(headers.size()));
  table->setHeaderLabels(headers);
  table->setUniformRowHeights(true);
  table->setAllColumnsShowFocus(true);
  table->setRootIsDecorated(true);
  table->header()->setStretchLastSection(true);
  table->setColumnWidth(0, 150);
  table->setColumnWidth(1, 170);
  table->setColumnWidth(2, 140);
  return table;
}

void place(QTreeWidgetItem* item, const editor::SourceLine& at) {
  item->setData(0, kFileRole, ui::fromUtf8(at.file));
  item->setData(0, kLineRole, at.line);
}

QString valueText(const editor::Assignment& a) {
  if (a.removed()) return QStringLiteral("— убрано (%1)").arg(QString::fromStdString(a.removedBy));
  return ui::toQ(a.value);
}

// The winner row of an entry, with the lines it overrides greyed below it.
QTreeWidgetItem* entryRow(const editor::EffectiveEntry& e) {
  const editor::Assignment& last = e.decisive();
  QString value = valueText(last);
  if (!e.alias.empty()) value += QStringLiteral(" → ") + ui::toQ(e.aliasValue);
  QStringList overridden;
  for (std::size_t i = 0; i + 1 < e.history.size(); ++i) {
    const editor::Assignment& a = e.history[i];
    overridden << lineOf(a.at) + QLatin1Char(' ') +
                      (a.removed() ? QString::fromStdString(a.removedBy)
                                   : QLatin1Char('"') + ui::toQ(a.value) + QLatin1Char('"'));
  }
  QString where = lineOf(last.at);
  if (!last.via.empty()) where += QStringLiteral(" (алиас %1)").arg(ui::toQ(last.via));
  auto* row = new QTreeWidgetItem(
      {ui::toQ(e.name), value, where, overridden.join(QStringLiteral("; ")),
       e.changesDuringPlay ? QStringLiteral("меняется во время игры") : QString()});
  place(row, last.at);
  if (!e.present()) row->setForeground(1, QColor(0x90, 0x20, 0x20));
  const QColor grey(0x90, 0x90, 0x90);
  for (std::size_t i = e.history.size() - 1; i-- > 0;) {
    const editor::Assignment& a = e.history[i];
    QString at = lineOf(a.at);
    if (!a.via.empty()) at += QStringLiteral(" (алиас %1)").arg(ui::toQ(a.via));
    auto* child =
        new QTreeWidgetItem({QString(), valueText(a), at, QStringLiteral("переопределено")});
    place(child, a.at);
    for (int c = 0; c < 5; ++c) child->setForeground(c, grey);
    row->addChild(child);
  }
  return row;
}

}  // namespace

EffectiveWindow::EffectiveWindow(OverviewModel* model, QWidget* parent)
    : QWidget(parent), model_(model) {
  ui::setTitledFrame(this, Qt::Tool, ui::TitleButtons::Close, Qt::WindowStaysOnTopHint);
  setObjectName(QStringLiteral("EffectiveWindow"));
  setWindowTitle(QStringLiteral("Итоговая конфигурация"));
  resize(860, 480);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  filter_ = new QLineEdit(this);
  filter_->setObjectName(QStringLiteral("FilterEdit"));
  filter_->setPlaceholderText(QStringLiteral("Фильтр: часть имени или значения"));
  filter_->setClearButtonEnabled(true);
  layout->addWidget(filter_);
  // The order the files ran in: what the table assumes the game does at start.
  startOrder_ = new QLabel(this);
  startOrder_->setObjectName(QStringLiteral("StartOrderLabel"));
  startOrder_->setWordWrap(true);
  startOrder_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(startOrder_);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("EffectiveTabs"));
  const QString overrides = QStringLiteral("Переопределяет");
  const QString where = QStringLiteral("Файл:строка");
  const QString value = QStringLiteral("Значение");
  const QString play = QStringLiteral("Во время игры");
  variables_ = newTable(tabs_, "VariableTable",
                        {QStringLiteral("Переменная"), value, where, overrides, play});
  keys_ = newTable(tabs_, "KeyTable", {QStringLiteral("Клавиша"), value, where, overrides, play});
  aliases_ =
      newTable(tabs_, "AliasTable", {QStringLiteral("Алиас"), value, where, overrides, play});
  setinfo_ =
      newTable(tabs_, "SetinfoTable", {QStringLiteral("Ключ"), value, where, overrides, play});
  for (QTreeWidget* t : {variables_, keys_, aliases_, setinfo_}) t->setColumnWidth(3, 170);
  duringPlay_ = newTable(tabs_, "DuringPlayTable",
                         {QStringLiteral("Имя"), value, where, QStringLiteral("Выполняется из")});
  files_ = newTable(tabs_, "ChainTable",
                    {QStringLiteral("Файл"), QStringLiteral("Состояние"), where, QString()});
  duringPlay_->setRootIsDecorated(false);
  files_->setRootIsDecorated(false);
  tabs_->addTab(variables_, QStringLiteral("Переменные"));
  tabs_->addTab(keys_, QStringLiteral("Клавиши"));
  tabs_->addTab(aliases_, QStringLiteral("Алиасы"));
  tabs_->addTab(setinfo_, QStringLiteral("setinfo"));
  tabs_->addTab(duringPlay_, QStringLiteral("Меняется во время игры"));
  tabs_->addTab(files_, QStringLiteral("Файлы"));
  layout->addWidget(tabs_, 1);

  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("EffectiveSummary"));
  summary_->setWordWrap(true);
  layout->addWidget(summary_);

  connect(filter_, &QLineEdit::textChanged, this, &EffectiveWindow::applyFilter);
  for (QTreeWidget* t : {variables_, keys_, aliases_, setinfo_, duringPlay_, files_})
    connect(t, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item, int) { activate(item); });
  connect(model_, &OverviewModel::changed, this, [this] {
    stale_ = true;
    if (isVisible()) refresh();
  });
}

void EffectiveWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (stale_) refresh();
}

void EffectiveWindow::refresh() {
  stale_ = false;
  const editor::EffectiveConfig& config = model_->whole();
  const auto fill = [](QTreeWidget* table, const std::vector<editor::EffectiveEntry>& entries) {
    // Typing in the editor lists everything again: the rows stay where the user scrolled.
    const int scrolled = table->verticalScrollBar()->value();
    table->setUpdatesEnabled(false);
    table->clear();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(entries.size()));
    for (const editor::EffectiveEntry& e : entries) rows.append(entryRow(e));
    table->addTopLevelItems(rows);
    table->expandAll();
    table->verticalScrollBar()->setValue(scrolled);
    table->setUpdatesEnabled(true);
  };
  fill(variables_, config.variables);
  fill(keys_, config.keys);
  fill(aliases_, config.aliases);
  fill(setinfo_, config.setinfo);

  duringPlay_->clear();
  for (const editor::RuntimeChange& c : config.duringPlay) {
    auto* row =
        new QTreeWidgetItem({ui::toQ(c.name), ui::toQ(c.value), lineOf(c.at), ui::toQ(c.holder)});
    place(row, c.at);
    duringPlay_->addTopLevelItem(row);
  }

  files_->clear();
  for (const std::string& f : config.files) {
    auto* row = new QTreeWidgetItem({ui::fromUtf8(f), QStringLiteral("выполняется"), QString()});
    editor::SourceLine at{f, 1};
    place(row, at);
    files_->addTopLevelItem(row);
  }
  for (const std::string& f : config.playFiles) {
    auto* row = new QTreeWidgetItem(
        {ui::fromUtf8(f), QStringLiteral("выполняется при нажатии клавиши"), QString()});
    editor::SourceLine at{f, 1};
    place(row, at);
    files_->addTopLevelItem(row);
  }
  std::size_t troubles = 0;
  for (const editor::ChainProblem& p : config.problems) {
    // The file or key named shows in the first column; the text names it again, as the
    // command line prints it.
    const QString state = ui::fromUtf8(editor::problemText(
        p, [](std::string_view cp1251) { return ui::toUtf8(ui::toQ(cp1251)); }));
    if (!p.quiet) ++troubles;
    auto* row = new QTreeWidgetItem({ui::toQ(p.target), state, lineOf(p.at)});
    row->setForeground(1, QColor(0xa0, 0x20, 0x20));
    place(row, p.at);
    files_->addTopLevelItem(row);
  }
  for (const editor::Clearing& c : config.clearings) {
    auto* row = new QTreeWidgetItem(
        {QString::fromStdString(c.command),
         QStringLiteral("убрано назначений: %1").arg(static_cast<qulonglong>(c.removed)),
         lineOf(c.at)});
    place(row, c.at);
    files_->addTopLevelItem(row);
  }

  // Long texts of the files tab are shown whole: the columns take their width, the table scrolls.
  for (int c = 0; c < 3; ++c) files_->resizeColumnToContents(c);
  QStringList order;
  for (const std::string& f : config.files) order << ui::fromUtf8(f);
  startOrder_->setText(order.isEmpty() ? QString()
                                       : QStringLiteral("Порядок выполнения при запуске: ") +
                                             order.join(QStringLiteral(" → ")));
  if (model_->gameDirectory().isEmpty()) {
    summary_->setText(
        QStringLiteral("Каталог игры не выбран (Инструменты → Сменить каталог игры)."));
  } else {
    summary_->setText(
        QStringLiteral(
            "%1 — файлов: %2, переменных: %3, клавиш: %4, алиасов: %5, ошибок цепочки: %6")
            .arg(model_->gameDirectory())
            .arg(static_cast<qulonglong>(config.files.size()))
            .arg(static_cast<qulonglong>(config.variables.size()))
            .arg(static_cast<qulonglong>(config.keys.size()))
            .arg(static_cast<qulonglong>(config.aliases.size()))
            .arg(static_cast<qulonglong>(troubles)));
  }
  applyFilter();
}

void EffectiveWindow::applyFilter() {
  const QString text = filter_->text().trimmed();
  for (QTreeWidget* t : {variables_, keys_, aliases_, setinfo_, duringPlay_}) {
    for (int i = 0; i < t->topLevelItemCount(); ++i) {
      QTreeWidgetItem* row = t->topLevelItem(i);
      const bool shown = text.isEmpty() || row->text(0).contains(text, Qt::CaseInsensitive) ||
                         row->text(1).contains(text, Qt::CaseInsensitive);
      row->setHidden(!shown);
    }
  }
}

void EffectiveWindow::activate(QTreeWidgetItem* item) {
  if (item == nullptr) return;
  const QString file = item->data(0, kFileRole).toString();
  if (file.isEmpty()) return;
  model_->openAt(ui::toUtf8(file), item->data(0, kLineRole).toInt());
}

}  // namespace brindle::overview
