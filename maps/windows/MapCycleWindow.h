#pragma once
// The map cycle editor: the user builds the server's mapcycle.txt from the maps of the game
// directory. The left list is the cycle in play order, the right list every map of the maps
// folder; four small buttons between them add, remove and move entries, and the box below shows
// the description of the map last clicked. "Применить" writes mapcycle.txt, "Отмена" leaves it.
#include <QDialog>
#include <string>
#include <vector>

#include "maps/logic/MapCycle.h"

class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace brindle::maps {

class MapCycleWindow : public QDialog {
  Q_OBJECT

 public:
  explicit MapCycleWindow(QWidget* parent = nullptr);

  // The program's own directory. Shown in place of a game directory (no game directory was
  // chosen yet), it gets no mapcycle.txt: neither opening nor "Применить" writes there.
  void setProgramDirectory(const QString& directory);

  // Fills both lists from the game directory (creating an empty mapcycle.txt when there is
  // none) and runs the window modally. A game directory whose mapcycle.txt cannot be created
  // or read is reported in a message box instead, and the window is not shown. Returns
  // QDialog::Accepted when mapcycle.txt was written.
  int execFor(const QString& gameDirectory);

  // The loading half of execFor(): fills the lists, or reports the failure and returns false.
  bool load(const QString& gameDirectory);

  // The window's commands, as its buttons, keys and double clicks run them.
  void addSelectedMap();       // plus button; double click and Enter in the all-maps list
  void removeSelectedEntry();  // minus button; double click and Backspace in the cycle list
  void moveSelectedUp();
  void moveSelectedDown();
  void apply();  // "Применить": writes mapcycle.txt and closes; a failed write keeps it open

  // The description box: the description of `map` (CP1251), or the no-description line.
  void showDescription(const std::string& map);

  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void refuse(Refusal refusal);
  // Makes the cycle list show the cycle and its selection, keeping its scroll position.
  void showCycle();
  void showDescriptionOf(const QListWidget* list);

  // Which list the description box speaks for: removing the entry it describes empties it.
  enum class Described { Nothing, CycleEntry, AllMapsEntry };

  std::string gameDir_;        // UTF-8
  std::string programDir_;     // UTF-8; empty: not known
  bool inProgramDir_ = false;  // gameDir_ is the program directory
  Described described_ = Described::Nothing;
  std::vector<std::string> maps_;  // the all-maps list, row by row
  MapCycle cycle_;
  QListWidget* cycleList_;
  QListWidget* allMaps_;
  QPlainTextEdit* description_;
  QToolButton* addButton_;
  QToolButton* removeButton_;
  QToolButton* upButton_;
  QToolButton* downButton_;
  QPushButton* applyButton_;
  QPushButton* cancelButton_;
};

}  // namespace brindle::maps
