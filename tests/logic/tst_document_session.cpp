// The document commands without any window: a scripted host answers the questions and the
// dialogs, a memory buffer holds the text, files live in a temporary folder.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/TextBuffer.h"
#include "editor/logic/DocumentSession.h"
#include "support/TempDir.h"

using namespace brindle;
using editor::DocumentSession;
using editor::SaveAnswer;

namespace {

class ScriptedHost : public editor::DocumentHost {
 public:
  core::MemoryBuffer text;
  std::deque<SaveAnswer> saveAnswers;
  std::deque<bool> replaceAnswers;
  std::deque<std::optional<std::string>> paths;  // for the open and save dialogs, in order
  std::vector<std::string> errors;
  std::vector<std::string> titles;
  int questions = 0;
  std::string shownName;

  core::TextBuffer& buffer() override { return text; }
  SaveAnswer askSave() override {
    ++questions;
    return next(saveAnswers, SaveAnswer::Cancel);
  }
  bool askReplace(const std::string&) override {
    ++questions;
    return next(replaceAnswers, false);
  }
  std::optional<std::string> chooseOpenPath() override { return next(paths, {}); }
  std::optional<std::string> chooseSavePath(std::string_view title) override {
    titles.emplace_back(title);
    return next(paths, {});
  }
  void showError(const std::string& message) override { errors.push_back(message); }
  void progress(editor::Progress) override {}
  void fileNameChanged(const std::string& name) override { shownName = name; }

 private:
  template <typename T>
  static T next(std::deque<T>& q, T fallback) {
    if (q.empty()) return fallback;
    T v = q.front();
    q.pop_front();
    return v;
  }
};

class DocumentSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.text.loadText(editor::kConfigTemplate);
    session.start(std::nullopt);
  }
  void type(std::string_view s) { host.text.replaceSel(s); }

  test::TempDir dir;
  ScriptedHost host;
  DocumentSession session{host};
};

}  // namespace

TEST_F(DocumentSessionTest, StartsUntitledWithTheTemplateAndTheCaretAtItsEnd) {
  EXPECT_TRUE(session.untitled());
  EXPECT_EQ(host.shownName, "Untitled");
  EXPECT_EQ(host.text.getText(), editor::kConfigTemplate);
  EXPECT_EQ(host.text.selStart(), host.text.textLength());
  EXPECT_FALSE(host.text.modified());
}

TEST_F(DocumentSessionTest, StartLoadsAnExistingArgumentAndKeepsTheTemplateForAnUnreadableOne) {
  const std::string file = dir.write("a.cfg", "bind x y\r\n");
  ScriptedHost h;
  h.text.loadText(editor::kConfigTemplate);
  DocumentSession s(h);
  s.start(file);
  EXPECT_EQ(s.fileName(), file);
  EXPECT_EQ(h.text.getText(), "bind x y\r\n");

  // A folder in the file's place cannot be read: reported, the template stays.
  const std::string folder = dir.file("folder.cfg");
  std::filesystem::create_directory(folder);
  ScriptedHost h2;
  h2.text.loadText(editor::kConfigTemplate);
  DocumentSession s2(h2);
  s2.start(folder);
  EXPECT_TRUE(s2.untitled());
  EXPECT_EQ(h2.errors.size(), 1u);
  EXPECT_EQ(h2.text.getText(), editor::kConfigTemplate);
}

TEST_F(DocumentSessionTest, CancelledOrRefusedSaveAsOfAnUntitledDocumentKeepsItModified) {
  type("fps_max 100\r\n");
  host.paths.push_back(std::nullopt);  // dialog cancelled
  EXPECT_FALSE(session.saveAs());
  EXPECT_TRUE(host.text.modified());

  const std::string existing = dir.write("old.cfg", "old\r\n");
  host.paths.push_back(existing);
  host.replaceAnswers.push_back(false);  // "Нет" to the replace question
  EXPECT_FALSE(session.saveAs());
  EXPECT_TRUE(host.text.modified());
  EXPECT_TRUE(session.untitled());
  EXPECT_EQ(dir.read("old.cfg"), "old\r\n");
}

TEST_F(DocumentSessionTest, NewAndOpenAfterACancelledSaveKeepTheTextAndAskAgain) {
  type("x");
  // New, Yes, save dialog cancelled: the text stays and still counts as modified.
  host.saveAnswers.push_back(SaveAnswer::Yes);
  host.paths.push_back(std::nullopt);
  EXPECT_FALSE(session.newDocument());
  EXPECT_TRUE(host.text.modified());
  EXPECT_NE(host.text.getText().find('x'), std::string::npos);

  // Open, Yes, save dialog cancelled: no open dialog, the text stays.
  const std::string other = dir.write("b.cfg", "b\r\n");
  host.saveAnswers.push_back(SaveAnswer::Yes);
  host.paths.push_back(std::nullopt);
  host.paths.push_back(other);  // would be the open dialog's answer
  EXPECT_FALSE(session.open());
  EXPECT_EQ(host.questions, 2);
  EXPECT_EQ(host.paths.size(), 1u);  // the open dialog never came
  EXPECT_NE(host.text.getText().find('x'), std::string::npos);

  // Open, No: the open dialog comes and the file replaces the text.
  host.saveAnswers.push_back(SaveAnswer::No);
  EXPECT_TRUE(session.open());
  EXPECT_EQ(host.text.getText(), "b\r\n");
  EXPECT_EQ(session.fileName(), other);
}

TEST_F(DocumentSessionTest, NewAnsweredYesSavesAndKeepsTheDocumentUntilTheNextNew) {
  const std::string file = dir.write("c.cfg", "c\r\n");
  ASSERT_TRUE(session.load(file));
  host.text.setModified(false);
  host.paths.push_back(file);
  host.replaceAnswers.push_back(true);
  ASSERT_TRUE(session.saveAs());
  type("more ");
  host.saveAnswers.push_back(SaveAnswer::Yes);
  EXPECT_FALSE(session.newDocument());
  EXPECT_EQ(dir.read("c.cfg"), "more c\r\n");
  EXPECT_FALSE(host.text.modified());
  EXPECT_TRUE(session.newDocument());
  EXPECT_TRUE(session.untitled());
  EXPECT_EQ(host.text.getText(), editor::kConfigTemplate);
}

TEST_F(DocumentSessionTest, CloseIsRefusedUnlessTheTextIsSavedOrGivenUp) {
  EXPECT_TRUE(session.mayClose());  // nothing to lose
  type("y");
  host.saveAnswers.push_back(SaveAnswer::Cancel);
  EXPECT_FALSE(session.mayClose());
  host.saveAnswers.push_back(SaveAnswer::Yes);
  host.paths.push_back(std::nullopt);
  EXPECT_FALSE(session.mayClose());
  // A write that fails keeps the program open and says why.
  host.saveAnswers.push_back(SaveAnswer::Yes);
  host.paths.push_back(dir.file("missing/folder/x.cfg"));
  EXPECT_FALSE(session.mayClose());
  EXPECT_EQ(host.errors.size(), 1u);
  host.saveAnswers.push_back(SaveAnswer::No);
  EXPECT_TRUE(session.mayClose());
}

TEST_F(DocumentSessionTest, SaveOfAnUntitledDocumentGoesThroughSaveAsTitledSave) {
  type("z");
  const std::string target = dir.file("new.cfg");
  host.paths.push_back(target);
  EXPECT_TRUE(session.save());
  EXPECT_EQ(host.titles.front(), "Сохранить");
  EXPECT_EQ(session.fileName(), target);
  EXPECT_EQ(dir.read("new.cfg"), std::string(editor::kConfigTemplate) + "z\r\n");
  // Later Save As dialogs carry "Сохранить как".
  host.paths.push_back(std::nullopt);
  session.saveAs();
  EXPECT_EQ(host.titles.back(), "Сохранить как");
}

TEST_F(DocumentSessionTest, NewMetaBindPutsTheCaretAtTheTopOfItsTemplate) {
  EXPECT_TRUE(session.newDocument(editor::kMetaBindTemplate));
  EXPECT_EQ(host.text.getText(), editor::kMetaBindTemplate);
  EXPECT_EQ(host.text.selStart(), 0);
}
