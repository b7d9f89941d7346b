#pragma once
// The wizard's pages 2-8: client settings, video, other client settings, times, teams and
// players, other server settings, connection. Each page is built by its own function into a page
// widget of the wizard; the controls carry the objectNames tests find them by.
//
// The controls show one SettingsValues (wizard/logic/SettingsModel.h) and give it back: the
// wizard fills them after its loading pass and reads them for the apply step.
#include <QColor>
#include <QObject>
#include <array>
#include <vector>

#include "wizard/logic/SettingsModel.h"

class QButtonGroup;
class QLabel;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace brindle::ui {
class SpinField;
}

namespace brindle::wizard {

class SettingsPages : public QObject {
  Q_OBJECT

 public:
  // `pages` are the page widgets of pages 2 to 8, in that order.
  SettingsPages(const std::array<QWidget*, 7>& pages, QObject* parent = nullptr);

  // The colour of the "Custom..." entry of the colour list.
  QColor customColour() const { return customColour_; }
  void setCustomColour(const QColor& colour);

  // The state after a file is chosen: empty fields, no radio button checked except the preset
  // connection with "Никакое", the colour list on "Custom..." with the default console colour,
  // no net graph position and the rate field at 0.
  void reset();
  // Shows what the loading pass read. A row that found nothing keeps its reset state; a console
  // colour that could not be read leaves the colour list as it is. A value that no choice of its
  // row shows is named beside the row ("в файле: 3").
  void show(const SettingsValues& values,
            const std::array<std::string, kFieldCount>& fileValues = {});
  // The rows as the controls hold them now.
  SettingsValues values() const;

  // Small handlers.
  void netGraphPositionOn();      // net graph: position list on
  void netGraphPositionOff();     // net graph: position list off
  void presetConnectionChosen();  // preset connection: list on, number off
  void ownRateChosen();           // own rate: number on, list off
  void mapTimeChanged();          // map change by time clears the one by rounds
  void mapRoundsChanged();        // and back
  void consoleColorChosen(int index);
  // The net graph position list is on exactly when the net graph is ("Да" checked).
  void netGraphPositionFollowsSwitch();

 Q_SIGNALS:
  void applyRequested();  // "Применить настройки"

 private:
  struct SwitchRow {
    Field field;
    QButtonGroup* group;
    std::vector<std::pair<char, QRadioButton*>> buttons;
    QLabel* fileValue;  // the file's value when no button shows it
  };

  QWidget* question(const QString& text, Field field,
                    std::initializer_list<std::tuple<int, QString, char>> buttons);
  ui::SpinField* spinField(int number, Field field, int start);

  void buildMainPage(QWidget* page);        // page 2
  void buildVideoPage(QWidget* page);       // page 3
  void buildClientPage(QWidget* page);      // page 4
  void buildTimePage(QWidget* page);        // page 5
  void buildTeamPage(QWidget* page);        // page 6
  void buildServerPage(QWidget* page);      // page 7
  void buildConnectionPage(QWidget* page);  // page 8

  QRadioButton* button(Field field, char value) const;

  std::vector<SwitchRow> switches_;
  std::vector<std::pair<Field, ui::SpinField*>> numberFields_;
  QColor customColour_;
  std::string loadedName_;  // the name as the file holds it (its encoding decides the write)

  QLineEdit* nameEdit_ = nullptr;
  QLineEdit* buyTimeEdit_ = nullptr;
  ui::SpinField* mapTime_ = nullptr;    // map change after minutes
  ui::SpinField* mapRounds_ = nullptr;  // or after rounds
  ui::SpinField* ownRate_ = nullptr;    // a rate the list does not offer
  QRadioButton* presetConnection_ = nullptr;
  QRadioButton* ownConnection_ = nullptr;
  QComboBox* consoleColour_ = nullptr;
  QComboBox* netGraphPosition_ = nullptr;
  QComboBox* connection_ = nullptr;
};

}  // namespace brindle::wizard
