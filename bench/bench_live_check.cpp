// The editor's live check on a config of 10,000 lines drawn at random from the real-world
// configs of tests/realworld: from a key press in the middle of the file to the updated
// underlines and problem list (the check of the whole document, the problem window's rows, the
// highlighting of the lines in view). The aim is 16 ms at most.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/RealLines.h"
#include "core/FileIO.h"
#include "dictionary/logic/KnownWords.h"
#include "editor/windows/ConfigHighlighter.h"
#include "editor/windows/ConfigTools.h"
#include "ui/CfgEdit.h"

using namespace brindle;

namespace {

void BM_KeyPressToUnderlines(benchmark::State& state) {
  const std::string text = bench::realLines(10000);
  ui::CfgEdit edit;
  edit.resize(900, 700);
  QWidget toolParent;
  editor::ConfigTools tools(&edit, dictionary::readKnownWords(BRINDLE_DATA_DIR "/"), {},
                            &toolParent);
  edit.show();
  edit.loadText(text);
  tools.checkConfig();  // the problem window is open, as when the user looks at it
  QCoreApplication::processEvents();
  const core::Offset middle = static_cast<core::Offset>(text.size() / 2);
  edit.setSelStart(middle);
  edit.centerCursor();
  QCoreApplication::processEvents();
  bool add = true;
  for (auto _ : state) {
    // A key press: a letter typed, or taken back again, in the middle of the file.
    QKeyEvent press(QEvent::KeyPress, add ? Qt::Key_X : Qt::Key_Backspace, Qt::NoModifier,
                    add ? QStringLiteral("x") : QString());
    QCoreApplication::sendEvent(&edit, &press);
    add = !add;
    tools.checkNow();
    tools.highlighter()->highlightVisibleNow();
    edit.viewport()->repaint();
    benchmark::DoNotOptimize(tools.lastResult().problems.size());
  }
  state.counters["problems"] = static_cast<double>(tools.lastResult().problems.size());
}

}  // namespace

BENCHMARK(BM_KeyPressToUnderlines)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
