#pragma once
// A stand-in wizard for the key pages: eleven pages in a stack, the working and autoexec texts,
// a key dialog, a MetaBind window, a settings file and a chosen config file, all in a temporary
// directory the test fills.
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

#include "binds/windows/KeyDialog.h"
#include "binds/windows/KeyListBox.h"
#include "binds/windows/MetaBindWindow.h"
#include "core/DataPaths.h"
#include "core/FileIO.h"
#include "core/Settings.h"
#include "support/Controls.h"
#include "support/TempDir.h"
#include "support/TestHost.h"
#include "ui/Codec.h"
#include "wizard/logic/KeyAssignment.h"
#include "wizard/logic/LoadingPass.h"
#include "wizard/logic/WizardText.h"
#include "wizard/windows/KeyPages.h"

namespace brindle::test {

class KeyPagesRig : public QWidget, public wizard::KeyPagesHost {
 public:
  // Program directory: the shipped data unless `programDir` is given.
  explicit KeyPagesRig(std::string programDir = BRINDLE_DATA_DIR)
      : programDir_(core::withSeparator(programDir)),
        editorHost_(programDir),
        keyDialog_(nullptr),
        metabinds_(&editorHost_, &keyDialog_, nullptr),
        settings_(dir.file("Zarurud.INI")) {
    setObjectName(QStringLiteral("TForm2"));
    stack = new QStackedWidget(this);
    for (int i = 0; i < 11; ++i) {
      auto* page = new QWidget(stack);
      page->setObjectName(QStringLiteral("TbS%1").arg(i + 1));
      stack->addWidget(page);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stack);
    pages =
        new wizard::KeyPages(*this, stack->widget(8), stack->widget(9), stack->widget(10), this);
    wizardDir = dir.path();
    filePath = dir.file("my.cfg");
    resize(900, 600);
  }

  TempDir dir;
  QStackedWidget* stack;
  wizard::KeyPages* pages;
  wizard::WizardTexts texts_;
  std::string wizardDir;
  std::string filePath;
  bool autoexec = false;
  int textChanges = 0;

  // The file's text as the wizard loads it, then the loading pass.
  void load(std::string_view fileText, std::string_view autoexecText = {}) {
    core::writeFileAtomic(filePath, fileText);
    texts_.working.loadFileText(fileText);
    texts_.autoexec.loadFileText(autoexecText);
    pages->resetForNewFile();
    pages->takeLoadingResult(wizard::runLoadingPass(texts_, wizard::actionCommands(), false));
  }

  std::string saved() const {
    const auto r = core::readFile(filePath);
    return r.ok ? r.data : std::string("<unreadable>");
  }

  binds::MetaBindWindow& metabinds() { return metabinds_; }
  core::Settings& settingsFile() { return settings_; }

  // Clicks an action button and picks `key` in the key dialog; a dialog left open by a refused
  // key is cancelled.
  void assign(const char* button, const QString& key) {
    QTimer::singleShot(0, this, [this, key] {
      auto* list = keyDialog_.findChild<QListWidget*>(QStringLiteral("ListBox1"));
      const auto found = list->findItems(key, Qt::MatchExactly | Qt::MatchCaseSensitive);
      if (!found.isEmpty()) {
        list->setCurrentItem(found.front());
        found.front()->setSelected(true);
      }
      keyDialog_.confirm();
      if (keyDialog_.isVisible()) keyDialog_.cancel();
    });
    control<QPushButton>(this, button)->click();
  }

  // KeyPagesHost
  wizard::WizardTexts& texts() override { return texts_; }
  bool autoexecMode() const override { return autoexec; }
  std::string wizardDirectory() const override { return wizardDir; }
  std::string selectedFilePath() const override { return filePath; }
  int currentPage() const override { return stack->currentIndex(); }
  void showPage(int index) override { stack->setCurrentIndex(index); }
  void workingTextChanged() override { ++textChanges; }
  binds::KeyDialog* keyDialog() override { return &keyDialog_; }
  binds::MetaBindWindow* metaBindWindow() override { return &metabinds_; }
  core::Settings* settings() override { return &settings_; }
  std::string programDir() const override { return programDir_; }
  QWidget* window() override { return this; }

 private:
  std::string programDir_;
  TestHost editorHost_;
  binds::KeyDialog keyDialog_;
  binds::MetaBindWindow metabinds_;
  core::Settings settings_;
};

}  // namespace brindle::test
