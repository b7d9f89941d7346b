#pragma once
// Every question and message the program puts to the user goes through here: message boxes of
// four kinds (warning, error, information, confirmation) plus the plain box, with fixed
// buttons, and the open and save dialogs. A test installs ScriptedAnswers to answer them
// without a person and to see what was asked.
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace brindle::ui {

enum class BoxKind { Warning, Error, Information, Confirmation, Plain };
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

// Shows a modal box and returns the button pressed. Closing the box counts as Cancel for
// Yes/No/Cancel, No for Yes/No and OK for OK.
Answer messageBox(QWidget* parent, BoxKind kind, const QString& text, Buttons buttons);

inline void showWarning(QWidget* p, const QString& t) {
  messageBox(p, BoxKind::Warning, t, Buttons::Ok);
}
inline void showError(QWidget* p, const QString& t) {
  messageBox(p, BoxKind::Error, t, Buttons::Ok);
}
inline void showInformation(QWidget* p, const QString& t) {
  messageBox(p, BoxKind::Information, t, Buttons::Ok);
}
inline void showPlain(QWidget* p, const QString& t) {
  messageBox(p, BoxKind::Plain, t, Buttons::Ok);
}
inline Answer askYesNo(QWidget* p, const QString& t) {
  return messageBox(p, BoxKind::Confirmation, t, Buttons::YesNo);
}
inline Answer askYesNoCancel(QWidget* p, const QString& t) {
  return messageBox(p, BoxKind::Confirmation, t, Buttons::YesNoCancel);
}

// Open and save dialogs. Filters are written "Description|*.ext|Description|*.ext"; filter
// indexes count from 1.
struct FileDialogRequest {
  bool save = false;
  QString title;  // empty: the platform's own title
  QString filter;
  int filterIndex = 1;
  QString directory;  // empty: the last directory used
  QString fileName;
  bool mustExist = false;      // open: the file and its folder must exist
  bool confirmCreate = false;  // save: ask before a new file is created
  // save: the file that will really be written for a chosen name (an extension rule of the
  // caller), so that the question before creating names the right file.
  std::function<QString(const QString&)> targetFor;
};

struct FileDialogResult {
  bool accepted = false;
  QString path;
  int filterIndex = 1;  // the type chosen when the dialog closed
};

// `onTypeChange` runs whenever the user picks another file type, with the new index. The
// dialog speaks Russian throughout: where Qt's translation leaves the file list's size, type
// and date columns in English, the dialog sets them itself.
FileDialogResult runFileDialog(QWidget* parent, const FileDialogRequest& request,
                               const std::function<void(int)>& onTypeChange = {});

// Where an open or save dialog starts: the folder of `document` (a path; empty for an untitled
// document) while that folder exists, else `fallback` (the game directory) while it exists,
// else empty (the folder last used).
QString startDirectory(const QString& document, const QString& fallback);

// While an object of this class exists, boxes and file dialogs are not shown: each takes the
// next scripted answer and is recorded. An unscripted box answers Cancel (or No, or OK) and an
// unscripted file dialog is cancelled, so a test never hangs.
class ScriptedAnswers {
 public:
  struct Box {
    BoxKind kind;
    QString text;
    Buttons buttons;
  };
  struct File {
    bool accepted = true;
    QString path;
    std::optional<int> typeChangedTo;  // calls onTypeChange with this index first
  };

  ScriptedAnswers();
  ~ScriptedAnswers();
  ScriptedAnswers(const ScriptedAnswers&) = delete;
  ScriptedAnswers& operator=(const ScriptedAnswers&) = delete;

  void answer(Answer a) { answers_.push_back(a); }
  void chooseFile(File f) { files_.push_back(std::move(f)); }
  void cancelFile() { files_.push_back(File{false, {}, std::nullopt}); }

  const std::vector<Box>& boxes() const { return boxes_; }
  const std::vector<FileDialogRequest>& fileDialogs() const { return fileDialogs_; }
  // Scripted answers not consumed yet.
  std::size_t pendingAnswers() const { return answers_.size(); }
  std::size_t pendingFiles() const { return files_.size(); }
  void clear();

  static ScriptedAnswers* active();

 private:
  friend Answer messageBox(QWidget*, BoxKind, const QString&, Buttons);
  friend FileDialogResult runFileDialog(QWidget*, const FileDialogRequest&,
                                        const std::function<void(int)>&);
  std::vector<Answer> answers_;
  std::vector<File> files_;
  std::vector<Box> boxes_;
  std::vector<FileDialogRequest> fileDialogs_;
  ScriptedAnswers* previous_ = nullptr;
};

// Qt name filters ("Configuration (*.cfg)") from a "Description|*.ext|..." filter.
QStringList qtFilters(const QString& filter);

}  // namespace brindle::ui
