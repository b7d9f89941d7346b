#pragma once
// The editor's document: its file name and the New, Open, Save, Save As and close commands,
// with the save question before a modified text is replaced. Qt-free: the window answers the
// questions and shows the dialogs through DocumentHost, so the rules are tested without it.
//
// Text is never lost: a save the user cancels, or one that fails, keeps the document and its
// modified state, and nothing replaces a modified text unless the user said so.
#include <optional>
#include <string>
#include <string_view>

namespace brindle::core {
class TextBuffer;
}

namespace brindle::editor {

// The name of a document that has never been saved.
inline constexpr std::string_view kUntitled = "Untitled";

// The editor's built-in content: the configuration template, and the new-MetaBind template.
inline constexpr std::string_view kConfigTemplate =
    "//Unknown's configuration file\r\n\r\nunbindall\r\nclear\r\n\r\n";
inline constexpr std::string_view kMetaBindTemplate = "\r\n\r\n[MetaBind]\r\nname=\r\nbut=";

enum class SaveAnswer { Yes, No, Cancel };

// Progress the session reports while a command runs.
// OpenEnded follows Opening however the open ends, so "opening" never outlasts the command.
enum class Progress { Opening, OpenEnded, Saving, Saved, SaveAsEnded };

class DocumentHost {
 public:
  virtual ~DocumentHost() = default;
  virtual core::TextBuffer& buffer() = 0;
  // "Сохранить файл?" with Yes, No and Cancel; closing the box counts as Cancel.
  virtual SaveAnswer askSave() = 0;
  // `path` exists: may Save As replace it?
  virtual bool askReplace(const std::string& path) = 0;
  // The open dialog: a path the user picked, or nothing.
  virtual std::optional<std::string> chooseOpenPath() = 0;
  // The save dialog with this title: the path to write (its extension already set by the
  // type the user chose), or nothing.
  virtual std::optional<std::string> chooseSavePath(std::string_view title) = 0;
  virtual void showError(const std::string& message) = 0;
  virtual void progress(Progress step) = 0;
  // The document's name changed (a path, or kUntitled).
  virtual void fileNameChanged(const std::string& name) = 0;
  // Before the document is written to `path`: the file to write instead (the game's
  // userconfig.cfg while the running game would overwrite its config.cfg), `path` itself, or
  // nothing to give up the save.
  virtual std::optional<std::string> confirmWrite(const std::string& path) { return path; }
};

// The lines of `text` that `onDisk` does not have, to be carried into another file the game runs
// later (userconfig.cfg, which config.cfg runs at its end): what the user changed, in order,
// without the lines that would clear or loop there (unbindall, unaliasall, an exec of config.cfg
// or userconfig.cfg). Each ends with CR LF.
std::string changedSettings(std::string_view onDisk, std::string_view text);

class DocumentSession {
 public:
  explicit DocumentSession(DocumentHost& host) : host_(host) {}

  const std::string& fileName() const { return fileName_; }
  bool untitled() const { return fileName_ == kUntitled; }

  // The first document of a run: the file named by the first command-line argument when it
  // exists, else the configuration template already in the buffer, caret at its end. A file
  // that cannot be read is reported and the template stays.
  void start(const std::optional<std::string>& argument);

  // New (or New MetaBind): replaces the document by a template unless it is modified and the
  // user keeps it. After "Yes" the document is saved and stays; a second New then starts the
  // new one. Returns whether the template replaced the document.
  bool newDocument(std::string_view templateText = kConfigTemplate);
  // Open: the save question for a modified document, then the open dialog. "No" keeps the
  // old text until a file is really loaded. Returns whether a file was loaded.
  bool open();
  // Open without the dialog: the save question for a modified document, then `path`.
  bool openFile(const std::string& path);
  // Save: to the current file, or through Save As ("Сохранить") for an untitled document.
  bool save();
  // Save As ("Сохранить как" after the first one). Returns whether the document was written.
  bool saveAs();
  // Whether the program may close: a modified document gets the save question; "Cancel", a
  // cancelled save dialog and a failed write keep the program open.
  bool mayClose();

  // Reads `path` into the buffer as the document; a failure is reported, nothing changes.
  bool load(const std::string& path);

 private:
  // Saves when the user answers Yes. Returns whether the document may be given up now: after
  // No, or after Yes with the document really written.
  bool settleModified();
  bool writeTo(const std::string& path);
  // Writes the document to `target` (asking before it replaces another file) and makes it the
  // document's file.
  bool writeAs(const std::string& target);
  // For a config.cfg the running game will overwrite: carries the settings the document changes
  // against `original` on disk into `target` (userconfig.cfg) and opens that file.
  bool carryTo(const std::string& original, const std::string& target);
  void reset(std::string_view templateText);
  void setFileName(std::string name);

  DocumentHost& host_;
  std::string fileName_{kUntitled};
  // Until the first Save As has ended the save dialog shows the platform's own title.
  std::string saveTitle_;
};

}  // namespace brindle::editor
