#pragma once
// A stand-in main window for window tests: an editor buffer, three status panels and a
// program directory of the test's choosing.
#include <QLabel>
#include <QWidget>
#include <array>
#include <functional>

#include "ui/CfgEdit.h"
#include "ui/EditorHost.h"

namespace brindle::test {

class TestHost : public QWidget, public ui::EditorHost {
 public:
  explicit TestHost(std::string programDir);

  ui::CfgEdit* memo() override { return memo_; }
  void setStatusText(int panel, const QString& text) override;
  QString statusText(int panel) const override;
  void showHint(const QString& hint) override { setStatusText(1, hint); }
  void insertLine(core::InsertKind kind, const std::string& first,
                  const std::string& second) override;
  void endEnter() override;
  // Line insertions go here instead (the value panel's insert operation, in a dictionary rig).
  using Inserter = std::function<void(core::InsertKind, const std::string&, const std::string&)>;
  void setInserter(Inserter inserter) { inserter_ = std::move(inserter); }
  QWidget* hostWindow() override { return this; }
  std::string programDir() const override { return programDir_; }

 private:
  ui::CfgEdit* memo_;
  std::array<QString, 3> status_;
  std::string programDir_;
  Inserter inserter_;
};

}  // namespace brindle::test
