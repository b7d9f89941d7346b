#pragma once
// The four dictionary windows as the application creates them, on a fixture program directory
// of the test's own. A test writes its data files into `dir`, then calls createWindows().
#include <memory>

#include "dictionary/windows/DictionaryContext.h"
#include "dictionary/windows/TForm3.h"
#include "dictionary/windows/TForm6.h"
#include "dictionary/windows/TPani1.h"
#include "dictionary/windows/Tccd.h"
#include "support/TempDir.h"
#include "support/TestHost.h"
#include "ui/MessageBoxes.h"

using namespace brindle::core;
using namespace brindle::dictionary;

namespace brindle::test {

struct DictionaryRig {
  // `managerOwnedByHost`: the library manager is a child of the stand-in main window, as a
  // modal dialog centred over it is.
  void createWindows(bool managerOwnedByHost = false) {
    host = std::make_unique<TestHost>(dir.path());
    context = std::make_unique<dictionary::DictionaryContext>(host.get());
    pani = std::make_unique<dictionary::TPani1>(host.get(), context.get());
    ccd = std::make_unique<dictionary::Tccd>(host.get(), context.get());
    form3 = std::make_unique<dictionary::TForm3>(host.get(), context.get(),
                                           managerOwnedByHost ? host.get() : nullptr);
    form6 = std::make_unique<dictionary::TForm6>(host.get(), context.get());
  }

  ui::ScriptedAnswers script;  // every box is recorded, none waits for a person
  TempDir dir;
  std::unique_ptr<TestHost> host;
  std::unique_ptr<dictionary::DictionaryContext> context;
  std::unique_ptr<dictionary::TPani1> pani;
  std::unique_ptr<dictionary::Tccd> ccd;
  std::unique_ptr<dictionary::TForm3> form3;
  std::unique_ptr<dictionary::TForm6> form6;
};

}  // namespace brindle::test
