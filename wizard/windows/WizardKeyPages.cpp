#include "wizard/windows/WizardKeyPages.h"

#include "ui/Codec.h"
#include "wizard/windows/KeyPages.h"
#include "wizard/windows/WizardWindow.h"

namespace brindle::wizard {

namespace {

// The wizard window as the key pages see it.
class WizardKeyHost : public QObject, public KeyPagesHost {
 public:
  WizardKeyHost(WizardWindow& wizard, binds::KeyDialog* keyDialog, binds::MetaBindWindow* metabinds,
                core::Settings* settings, std::string programDir)
      : QObject(&wizard),
        wizard_(wizard),
        keyDialog_(keyDialog),
        metabinds_(metabinds),
        settings_(settings),
        programDir_(std::move(programDir)) {}

  KeyPages* pages = nullptr;

  WizardTexts& texts() override { return wizard_.texts(); }
  bool autoexecMode() const override { return wizard_.autoexecMode(); }
  std::string wizardDirectory() const override { return ui::toUtf8(wizard_.directory()); }
  std::string selectedFilePath() const override { return wizard_.chosenFile().path; }
  QString fileProblem() const override {
    const ChosenFile& f = wizard_.chosenFile();
    if (f.path.empty() || f.readable) return {};
    return QStringLiteral(
               "Файл \"%1\" не удалось прочитать, поэтому в него ничего не записано. "
               "Файл остался без изменений.")
        .arg(ui::fromUtf8(f.path));
  }
  QString autoexecProblem() const override {
    const ChosenFile& f = wizard_.chosenFile();
    if (f.autoexecError.empty()) return {};
    return QStringLiteral(
               "Файл autoexec.cfg не удалось прочитать (%1), поэтому скрипт не "
               "записан. Файлы остались без изменений.")
        .arg(ui::fromUtf8(f.autoexecError));
  }
  int currentPage() const override { return wizard_.currentPage(); }
  void showPage(int index) override { wizard_.showPage(index); }
  void workingTextChanged() override {
    if (pages) wizard_.setUnbindallPresent(pages->state().unbindallPresent);
    wizard_.refreshPreview();
  }
  binds::KeyDialog* keyDialog() override { return keyDialog_; }
  binds::MetaBindWindow* metaBindWindow() override { return metabinds_; }
  core::Settings* settings() override { return settings_; }
  std::string programDir() const override { return programDir_; }
  QWidget* window() override { return &wizard_; }

 private:
  WizardWindow& wizard_;
  binds::KeyDialog* keyDialog_;
  binds::MetaBindWindow* metabinds_;
  core::Settings* settings_;
  std::string programDir_;
};

}  // namespace

KeyPages* attachKeyPages(WizardWindow& wizard, binds::KeyDialog* keyDialog,
                         binds::MetaBindWindow* metabinds, core::Settings* settings,
                         std::string programDir) {
  auto* host = new WizardKeyHost(wizard, keyDialog, metabinds, settings, std::move(programDir));
  auto* pages = new KeyPages(*host, wizard.page(kMovePage), wizard.page(kActionsPage),
                             wizard.page(kRadioPage), host);
  host->pages = pages;

  wizard.setActionCommands(actionCommands());
  wizard.setGameVersionSource([pages] { return pages->gameVersion(); });
  wizard.setKeysLoadedHandler([pages](const LoadingResult& r) { pages->takeLoadingResult(r); });
  wizard.setControlsResetHandler([pages] { pages->clearAudience(); });
  wizard.setUsedKeysClearedHandler([pages] { pages->clearUsedKeys(); });
  // Page set-up of the key pages; back and next follow the wizard's own rule (next stops at
  // the last page).
  QObject::connect(&wizard, &WizardWindow::pageChanged, pages, [&wizard, pages](int index) {
    if (index < kMovePage) return;
    wizard.setStepCaption(KeyPages::stepCaption(index));
    if (index != kRadioPage) wizard.setNextCaption(QStringLiteral("Далее>>"));
    pages->pageShown(index);
  });
  wizard.setLastPage(kRadioPage);
  return pages;
}

}  // namespace brindle::wizard
