#include "support/TestHost.h"

#include <QVBoxLayout>

#include "core/DataPaths.h"
#include "core/Insertion.h"
#include "editor/logic/EditTools.h"

using namespace brindle::core;
using namespace brindle::editor;

namespace brindle::test {

TestHost::TestHost(std::string programDir)
    : programDir_(core::withSeparator(std::move(programDir))) {
  setObjectName(QStringLiteral("TestHost"));
  auto* layout = new QVBoxLayout(this);
  memo_ = new ui::CfgEdit(this);
  memo_->setObjectName(QStringLiteral("Memo1"));
  layout->addWidget(memo_);
}

void TestHost::setStatusText(int panel, const QString& text) {
  if (panel >= 0 && panel < 3) status_[static_cast<std::size_t>(panel)] = text;
}

QString TestHost::statusText(int panel) const {
  return panel >= 0 && panel < 3 ? status_[static_cast<std::size_t>(panel)] : QString();
}

void TestHost::insertLine(core::InsertKind kind, const std::string& first,
                          const std::string& second) {
  if (inserter_) {
    inserter_(kind, first, second);
    return;
  }
  const core::Insertion insertion =
      core::insertionFor(kind, static_cast<long>(memo_->caretPos().column), first, second);
  memo_->replaceSel(insertion.text);
  if (insertion.caretBack) memo_->setSelStart(memo_->selStart() - 1);
}

void TestHost::endEnter() { editor::openLineBelow(*memo_, memo_->caretPos().line); }

}  // namespace brindle::test
