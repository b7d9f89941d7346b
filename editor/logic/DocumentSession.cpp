#include "editor/logic/DocumentSession.h"

#include "core/ConsoleScript.h"
#include "core/FileIO.h"
#include "core/LineDiff.h"
#include "core/Text.h"
#include "core/TextBuffer.h"
#include "editor/logic/ExecChain.h"

namespace brindle::editor {

void DocumentSession::setFileName(std::string name) {
  fileName_ = std::move(name);
  host_.fileNameChanged(fileName_);
}

std::string changedSettings(std::string_view onDisk, std::string_view text) {
  // Whether a line would clear what the other file has or run the files again.
  const auto unwanted = [](const std::string& line) {
    struct Finder : core::ScriptVisitor {
      bool found = false;
      void command(std::string_view script, const core::ScriptCommand& c) override {
        if (c.depth != 0 || c.empty()) return;
        const std::string_view name = c.name(script);
        if (core::sameName(name, "unbindall") || core::sameName(name, "unaliasall")) found = true;
        if (core::sameName(name, "exec") && c.words.size() >= 2) {
          const std::string target = chainKey(c.words[1].text(script));
          if (target == "config.cfg" || target == "userconfig.cfg") found = true;
        }
      }
    } finder;
    core::ScriptScanner().scan(line, finder);
    return finder.found;
  };
  std::string out;
  for (const core::DiffLine& d : core::lineDiff(onDisk, text)) {
    if (d.kind != core::DiffLine::Kind::Added || d.text.empty() || unwanted(d.text)) continue;
    out += d.text;
    out += "\r\n";
  }
  return out;
}

bool DocumentSession::carryTo(const std::string& original, const std::string& target) {
  const core::ReadResult disk = core::readFile(original, core::kMaxDocumentBytes);
  const std::string changed = changedSettings(
      disk.ok ? std::string_view(disk.data) : std::string_view(), host_.buffer().getText());
  std::string kept;
  if (core::fileExists(target)) {
    const core::ReadResult r = core::readFile(target, core::kMaxDocumentBytes);
    if (!r.ok) {
      host_.showError(r.error);
      return false;
    }
    kept = r.data;
    // The file's own lines stay as they are; the settings go after its last line.
    if (!kept.empty() && kept.back() != '\n' && kept.back() != '\r') kept += "\r\n";
  }
  const core::WriteResult w = core::writeFileAtomic(target, kept + changed);
  if (!w.ok) {
    host_.showError(w.error);
    return false;
  }
  host_.buffer().setModified(false);
  if (!load(target)) return false;
  host_.buffer().setModified(false);
  setFileName(target);
  return true;
}

bool DocumentSession::load(const std::string& path) {
  const core::ReadResult r = core::readFile(path, core::kMaxDocumentBytes);
  if (!r.ok) {
    host_.showError(r.error);
    return false;
  }
  host_.buffer().loadText(r.data);
  return true;
}

bool DocumentSession::writeTo(const std::string& path) {
  const core::WriteResult r =
      core::writeLinesAtomic(path, core::splitLines(host_.buffer().getText()));
  if (!r.ok) host_.showError(r.error);
  return r.ok;
}

void DocumentSession::reset(std::string_view templateText) {
  core::TextBuffer& b = host_.buffer();
  b.loadText(templateText);
  // The configuration template puts the caret at its end, ready for the first line; the
  // MetaBind template at its start, above the header.
  b.setSelStart(templateText == kMetaBindTemplate ? 0 : b.textLength());
  b.setModified(false);
  setFileName(std::string(kUntitled));
}

void DocumentSession::start(const std::optional<std::string>& argument) {
  core::TextBuffer& b = host_.buffer();
  if (argument && core::pathExists(*argument) && load(*argument)) {
    b.setModified(false);
    setFileName(*argument);
    return;
  }
  // The buffer already holds the template (the editor's built-in content).
  b.setSelStart(b.textLength());
  b.setModified(false);
  setFileName(std::string(kUntitled));
}

bool DocumentSession::settleModified() {
  switch (host_.askSave()) {
    case SaveAnswer::Yes:
      return save();
    case SaveAnswer::No:
      return true;
    case SaveAnswer::Cancel:
      break;
  }
  return false;
}

bool DocumentSession::newDocument(std::string_view templateText) {
  if (host_.buffer().modified()) {
    // After Yes the saved document stays in the editor: the user sees it was written, and
    // the next New (now on an unmodified text) starts the new document.
    const SaveAnswer answer = host_.askSave();
    if (answer == SaveAnswer::Yes) save();
    if (answer != SaveAnswer::No) return false;
  }
  reset(templateText);
  return true;
}

bool DocumentSession::open() {
  if (host_.buffer().modified() && !settleModified()) return false;
  host_.progress(Progress::Opening);
  const std::optional<std::string> path = host_.chooseOpenPath();
  const bool opened = path && load(*path);
  if (opened) {
    host_.buffer().setModified(false);
    setFileName(*path);
  }
  host_.progress(Progress::OpenEnded);
  return opened;
}

bool DocumentSession::openFile(const std::string& path) {
  if (host_.buffer().modified() && !settleModified()) return false;
  host_.progress(Progress::Opening);
  if (!load(path)) return false;
  host_.buffer().setModified(false);
  setFileName(path);
  return true;
}

bool DocumentSession::save() {
  if (untitled()) {
    saveTitle_ = "Сохранить";
    return saveAs();
  }
  const std::optional<std::string> target = host_.confirmWrite(fileName_);
  if (!target) return false;
  if (*target == fileName_ ? !writeTo(fileName_) : !carryTo(fileName_, *target)) return false;
  host_.buffer().setModified(false);
  host_.progress(Progress::Saved);
  return true;
}

bool DocumentSession::writeAs(const std::string& target) {
  bool written = false;
  if (core::fileExists(target)) {
    // The file is read back, so the editor shows exactly what was written.
    if (host_.askReplace(target) && writeTo(target)) {
      written = true;
      load(target);
    }
  } else {
    written = writeTo(target);
  }
  if (written) {
    host_.buffer().setModified(false);
    setFileName(target);
  }
  return written;
}

bool DocumentSession::saveAs() {
  host_.progress(Progress::Saving);
  std::optional<std::string> target = host_.chooseSavePath(saveTitle_);
  std::optional<std::string> confirmed;
  if (target) confirmed = host_.confirmWrite(*target);
  const bool written =
      confirmed && (*confirmed == *target ? writeAs(*target) : carryTo(*target, *confirmed));
  saveTitle_ = "Сохранить как";
  host_.progress(Progress::SaveAsEnded);
  return written;
}

bool DocumentSession::mayClose() { return !host_.buffer().modified() || settleModified(); }

}  // namespace brindle::editor
