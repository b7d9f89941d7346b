#pragma once
// The wizard's three key pages: "Кнопки" (movement keys, buy scripts, the two key lists),
// "Кнопки2" (every other action) and "Кнопки3" (radio and chat keys, "Применить настройки",
// "MetaBinds"). Each action button shows the key the working text binds to its command; a click
// opens the key dialog and binds the chosen key.
#include <QObject>
#include <QString>
#include <array>
#include <string>

#include "wizard/logic/KeyAssignment.h"

class QComboBox;
class QPushButton;
class QToolButton;
class QWidget;

namespace brindle::binds {
class KeyDialog;
class MetaBindWindow;
}  // namespace brindle::binds
namespace brindle::core {
class Settings;
}

namespace brindle::wizard {

class BuyControls;
class WizardTexts;

// What the key pages need of the wizard window.
class KeyPagesHost {
 public:
  virtual ~KeyPagesHost() = default;
  virtual WizardTexts& texts() = 0;
  // The edited file is the game's config.cfg: script aliases go to autoexec.cfg.
  virtual bool autoexecMode() const = 0;
  // The directory of the wizard's directory list, UTF-8.
  virtual std::string wizardDirectory() const = 0;
  // Full path of the file chosen in the wizard's file list, UTF-8; empty when none is chosen.
  virtual std::string selectedFilePath() const = 0;
  // Why the chosen file must not be written over (it could not be read), or empty.
  virtual QString fileProblem() const { return {}; }
  // In autoexec mode: why autoexec.cfg must not be written over, or empty.
  virtual QString autoexecProblem() const { return {}; }
  virtual int currentPage() const = 0;
  virtual void showPage(int index) = 0;
  // The working text changed: its preview shows it anew.
  virtual void workingTextChanged() = 0;
  virtual binds::KeyDialog* keyDialog() = 0;
  virtual binds::MetaBindWindow* metaBindWindow() = 0;
  virtual core::Settings* settings() = 0;
  // UTF-8, with a trailing separator.
  virtual std::string programDir() const = 0;
  virtual QWidget* window() = 0;
};

class KeyPages : public QObject {
  Q_OBJECT

 public:
  // Builds the contents of the three (empty) pages.
  KeyPages(KeyPagesHost& host, QWidget* page9, QWidget* page10, QWidget* page11,
           QObject* parent = nullptr);

  // Caption of a key page's step (Label32), by page index 8-10; empty for other pages.
  static QString stepCaption(int pageIndex);

  const KeyState& state() const { return state_; }

  // The wizard's loading pass ran: lists, captions and the unbindall flag from its result; with
  // the settings read (a full pass) both BIND buttons are disabled.
  void takeLoadingResult(const LoadingResult& result);
  // A new file was chosen: no audience, an empty used-keys list.
  void resetForNewFile();
  // Loading a file clears the audience of the chat message (and so the message).
  void clearAudience();
  // The first page was shown: the used-keys list is emptied.
  void clearUsedKeys();
  // Page show handlers of pages 8-10 (TbS9Show ... TbS11Show): the page's own set-up.
  void pageShown(int pageIndex);

  // An action button's click (kompot): the key dialog, then the assignment.
  void assignAction(std::size_t action);
  void bindFreeKey();
  void bindUsedKey();
  void applySettings();
  void openMetaBinds();

 private:
  void buildMovePage(QWidget* page);
  void buildActionsPage(QWidget* page);
  void buildRadioPage(QWidget* page);
  QPushButton* makeActionButton(std::size_t action, QWidget* parent);
  void bindBuyScript(bool usedKey);
  bool mayWrite(bool withAutoexec);
  bool saveTexts();
  void showState();
  void setMoveHints();

  KeyPagesHost& host_;
  KeyState state_;
  // Action buttons in the order of kKeyActions.
  std::array<QPushButton*, kKeyActionCount> actionButtons_{};
  QComboBox* freeKeys_ = nullptr;
  QToolButton* bindFreeButton_ = nullptr;  // BIND on a free key
  QComboBox* usedKeys_ = nullptr;
  QToolButton* bindUsedButton_ = nullptr;  // BIND on a used key
  BuyControls* buy_ = nullptr;

 public:
  // The game version chosen on the buy page (the wizard's one game-version setting).
  GameVersion gameVersion() const;

 private:
};

}  // namespace brindle::wizard
