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

#include "core/FileIO.h"
#include "dictionary/logic/KnownWords.h"
#include "editor/windows/ConfigHighlighter.h"
#include "editor/windows/ConfigTools.h"
#include "ui/CfgEdit.h"

using namespace brindle;

namespace {

std::string realLines(int count) {
  std::vector<std::string> lines;
  for (const auto& e : std::filesystem::recursive_directory_iterator(BRINDLE_REALWORLD)) {
    if (e.path().extension() != ".cfg") continue;
    const std::string data = core::readFile(e.path().string()).data;
    std::size_t start = 0;
    while (start < data.size()) {
      std::size_t end = data.find('\n', start);
      if (end == std::string::npos) end = data.size();
      std::string line = data.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty()) lines.push_back(std::move(line));
      start = end + 1;
    }
  }
  std::mt19937 pick(15);
  std::uniform_int_distribution<std::size_t> any(0, lines.size() - 1);
  std::string out;
  for (int i = 0; i < count; ++i) out += lines[any(pick)] + "\r\n";
  return out;
}

void BM_KeyPressToUnderlines(benchmark::State& state) {
  const std::string text = realLines(10000);
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
