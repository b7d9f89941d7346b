#pragma once
// The four dictionary windows as the application creates them, on a fixture program directory
// of the test's own. A test writes its data files into `dir`, then calls createWindows().
#include <memory>

#include "dictionary/windows/DictionaryContext.h"
#include "dictionary/windows/DictionaryWindow.h"
#include "dictionary/windows/ExplanationWindow.h"
#include "dictionary/windows/LibraryManager.h"
#include "dictionary/windows/ValuePanel.h"
#include "support/TempDir.h"
#include "support/TestHost.h"
#include "ui/MessageBoxes.h"

using namespace brindle;
using namespace brindle::core;
using namespace brindle::dictionary;

namespace brindle::test {

struct DictionaryRig {
  // `managerOwnedByHost`: the library manager is a child of the stand-in main window, as a
  // modal dialog centred over it is.
  void createWindows(bool managerOwnedByHost = false) {
    host = std::make_unique<TestHost>(dir.path());
    context = std::make_unique<dictionary::DictionaryContext>(host.get());
    valuePanel = std::make_unique<dictionary::ValuePanel>(host.get(), context.get());
    dictionaryWindow = std::make_unique<dictionary::DictionaryWindow>(host.get(), context.get());
    libraryManager = std::make_unique<dictionary::LibraryManager>(
        host.get(), context.get(), managerOwnedByHost ? host.get() : nullptr);
    explanationWindow = std::make_unique<dictionary::ExplanationWindow>(host.get(), context.get());
  }

  ui::ScriptedAnswers script;  // every box is recorded, none waits for a person
  TempDir dir;
  std::unique_ptr<TestHost> host;
  std::unique_ptr<dictionary::DictionaryContext> context;
  std::unique_ptr<dictionary::ValuePanel> valuePanel;
  std::unique_ptr<dictionary::DictionaryWindow> dictionaryWindow;
  std::unique_ptr<dictionary::LibraryManager> libraryManager;
  std::unique_ptr<dictionary::ExplanationWindow> explanationWindow;
};

}  // namespace brindle::test
