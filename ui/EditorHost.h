#pragma once
// What the main window offers the other windows: its editor buffer, its status bar and the
// "EndEnter" tool. The dictionary, bind and MetaBind windows work through this, so they can be
// built and tested without the main window.
#include <QString>
#include <string>

#include "core/Insertion.h"

class QWidget;

namespace brindle::ui {

class CfgEdit;

class EditorHost {
 public:
  virtual ~EditorHost() = default;

  virtual CfgEdit* memo() = 0;  // the editor buffer Memo1
  // Status bar panels: 0 caret position, 1 messages and hints, 2 file name.
  virtual void setStatusText(int panel, const QString& text) = 0;
  virtual QString statusText(int panel) const = 0;
  // The application's hint changed (a status tip of a control under the pointer): shows it in
  // panel 1, or the value panel's caption when the hint is empty. Tool windows are top-level
  // windows, so their status tips must be forwarded here explicitly.
  virtual void showHint(const QString& hint) = 0;
  // Inserts a setinfo, bind or alias line at the caret (the value panel's insert operation):
  // `first` is the setinfo parameter, the key or the alias name, `second` the setinfo value.
  virtual void insertLine(core::InsertKind kind, const std::string& first,
                          const std::string& second) = 0;
  // "EndEnter": opens an empty line below the caret's line.
  virtual void endEnter() = 0;
  virtual QWidget* hostWindow() = 0;
  // The program directory, UTF-8, with a trailing separator.
  virtual std::string programDir() const = 0;
};

}  // namespace brindle::ui
