#pragma once
// The buy, radio and message controls of the wizard's key page: what one key's script buys,
// which radio phrase it sends and which chat message, with a picture of the chosen item and a
// preview of the phrase's sound. The choice is read by BIND (KeyPages) and cleared after it.
#include <QWidget>
#include <functional>
#include <string>

#include "wizard/logic/BuyScript.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QRadioButton;
class QToolButton;

namespace brindle::core {
class Settings;
}
namespace brindle::ui {
class SoundPlayer;
}

namespace brindle::wizard {

class BuyControls : public QWidget {
  Q_OBJECT

 public:
  // `programDir` (UTF-8, with a trailing separator) holds the pictures; `settings` keeps the buy
  // mode (may be null: the mode is then not kept); `soundDirectory` gives the directory whose
  // sound\radio\ holds the phrases (the wizard's directory, UTF-8).
  BuyControls(std::string programDir, core::Settings* settings,
              std::function<std::string()> soundDirectory, QWidget* parent = nullptr);

  BuyChoice choice() const;
  GameVersion mode() const;
  ui::SoundPlayer* player() const { return player_; }
  // The framed picture of the chosen item; the page places it (it is not in this widget's layout).
  QFrame* pictureFrame() const { return pictureFrame_; }

  // After BIND: first items, nothing ticked, no message, no audience, no picture.
  void reset();
  // Loading a file clears the audience (and so the message edit).
  void clearAudience();

  void primaryChosen(int index);
  void pistolChosen(int index);
  void equipmentChecked(QListWidgetItem* item);
  // Shows the picture dlls\cvardll\guns\weapon_<name>.jpg of the program directory.
  void showItemPicture(const std::string& pictureName);
  void radioPhraseChosen(int index);
  void playOnEnter();  // Enter on the phrase list
  void playRadio();
  void stopRadio();
  void teamChosen();
  void allChosen();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void hidePicture();
  void setPlayerButtons(bool enabled);
  void enableMessage(bool enabled);
  void onSoundFailed(const QString& error);
  void showSoundStatus(const QString& text);

  std::string programDir_;
  core::Settings* settings_;
  std::function<std::string()> soundDirectory_;
  ui::SoundPlayer* player_;
  QComboBox* primaryWeapon_ = nullptr;
  QComboBox* pistol_ = nullptr;
  QComboBox* ammunition_ = nullptr;
  QListWidget* equipment_ = nullptr;  // checkable
  QFrame* pictureFrame_ = nullptr;
  QLabel* picture_ = nullptr;             // 205 x 65
  QRadioButton* menusMode_ = nullptr;     // "Меню покупки CS 1.5"
  QRadioButton* commandsMode_ = nullptr;  // "Команды покупки CS 1.6"
  QComboBox* radioPhrase_ = nullptr;
  QToolButton* playButton_ = nullptr;
  QToolButton* stopButton_ = nullptr;
  QLabel* soundStatus_ = nullptr;         // why a phrase cannot be heard
  QLineEdit* message_ = nullptr;          // own chat message
  QRadioButton* teamAudience_ = nullptr;  // "Команда"
  QRadioButton* allAudience_ = nullptr;   // "Все"
  QString soundName_;                     // sound\radio\<name>.wav of the open phrase, for messages
  bool ticking_ = false;
};

}  // namespace brindle::wizard
