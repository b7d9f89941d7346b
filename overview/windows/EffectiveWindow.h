#pragma once
// "Итоговая конфигурация": what the game ends up with from the files of the game directory.
// Tabs for variables, keys and aliases list each name with its value and the line that decides
// it, the lines it overrides greyed below it; two more tabs list what changes only during play
// and the files run, with the missing ones and exec loops. A double click opens the file at the
// line in the editor.
#include <QWidget>

class QLabel;
class QLineEdit;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace brindle::overview {

class OverviewModel;

class EffectiveWindow : public QWidget {
  Q_OBJECT

 public:
  EffectiveWindow(OverviewModel* model, QWidget* parent = nullptr);

  // Lists the configuration again (done on show and whenever the model changes while shown).
  void refresh();
  void applyFilter();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void activate(QTreeWidgetItem* item);

  OverviewModel* model_;
  QLineEdit* filter_;
  QTabWidget* tabs_;
  QTreeWidget* variables_;
  QTreeWidget* keys_;
  QTreeWidget* aliases_;
  QTreeWidget* setinfo_;
  QTreeWidget* duringPlay_;
  QTreeWidget* files_;
  QLabel* startOrder_ = nullptr;
  QLabel* summary_;
  bool stale_ = true;
};

}  // namespace brindle::overview
