#pragma once
// A stand-in main window for window tests: an editor buffer, three status panels and a
// program directory of the test's choosing.
#include <QLabel>
#include <QWidget>
#include <array>

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
  void endEnter() override;
  QWidget* hostWindow() override { return this; }
  std::string programDir() const override { return programDir_; }

 private:
  ui::CfgEdit* memo_;
  std::array<QString, 3> status_;
  std::string programDir_;
};

}  // namespace brindle::test
