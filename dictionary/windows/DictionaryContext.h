#pragma once
// State shared by the dictionary's windows for the whole run, and the pointers by which they
// reach each other. The application creates one context, then the windows (each registers
// itself here in its constructor), in the order ValuePanel, DictionaryWindow, LibraryManager,
// ExplanationWindow.
#include <string>

#include "core/Insertion.h"

namespace brindle::ui {
class EditorHost;
}

namespace brindle::dictionary {

class ValuePanel;
class DictionaryWindow;
class LibraryManager;
class ExplanationWindow;

struct DictionaryContext {
  explicit DictionaryContext(ui::EditorHost* editorHost) : host(editorHost) {}

  ui::EditorHost* host;

  ValuePanel* valuePanel = nullptr;
  DictionaryWindow* dictionaryWindow = nullptr;
  LibraryManager* libraryManager = nullptr;
  ExplanationWindow* explanationWindow = nullptr;

  std::string currentListPath;  // UTF-8, the list the value panel shows
  // UTF-8, the value library whose entries the value panel shows; empty for a CMD or CVAR list.
  std::string panelLibrary;
  core::ListKind listKind = core::ListKind::Command;  // how value panel entries are inserted
  bool picturesMode = false;                          // value panel entries show weapon pictures
  core::InsertKind insertKind = core::InsertKind::Command;
  std::string explanation;  // CP1251, the result of the last lookup
};

}  // namespace brindle::dictionary
