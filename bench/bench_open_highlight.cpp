// Opening a 10 MB config in the editor control, with and without the editor's config tools
// (highlighting, live check, completion): the time until the first screen is painted with its
// colours. Highlighting works on the lines in view, so both should take about as long.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTextBlock>
#include <QTextLayout>
#include <string>

#include "core/ConsoleScript.h"
#include "editor/windows/ConfigHighlighter.h"
#include "editor/windows/ConfigTools.h"
#include "ui/CfgEdit.h"

using namespace brindle;

namespace {

std::string makeConfig(std::size_t bytes) {
  static const char* const lines[] = {
      "// \xcd\xe0\xf1\xf2\xf0\xee\xe9\xea\xe8\r\n",
      "bind \"MOUSE1\" \"+attack\"\r\n",
      "alias +jd \"+jump; +duck\"\r\n",
      "alias -jd \"-jump; -duck\"\r\n",
      "sensitivity \"2.5\"; cl_updaterate \"101\"\r\n",
      "bind \"KP_HOME\" \"ak47; m4a1\"\r\n",
  };
  std::string text;
  text.reserve(bytes + 64);
  for (std::size_t i = 0; text.size() < bytes; ++i) text += lines[i % std::size(lines)];
  return text;
}

core::KnownWords words() {
  core::KnownWords w;
  w.commands = {"bind", "alias", "+attack", "+jump", "+duck", "-jump", "-duck", "ak47", "m4a1"};
  w.variables = {"sensitivity", "cl_updaterate"};
  w.keyNames = {"MOUSE1", "KP_HOME"};
  return w;
}

void open(benchmark::State& state, bool withTools) {
  const std::string text = makeConfig(10u << 20);
  for (auto _ : state) {
    ui::CfgEdit edit;
    edit.resize(800, 600);
    editor::ConfigTools* tools =
        withTools ? new editor::ConfigTools(&edit, words(), {}, nullptr) : nullptr;
    edit.show();
    edit.loadText(text);
    QCoreApplication::processEvents();
    edit.repaint();
    if (tools) {
      // The first line is coloured before the timing ends.
      tools->highlighter()->highlightVisibleNow();
      if (edit.document()->firstBlock().layout()->formats().isEmpty())
        state.SkipWithError("first line not highlighted");
    }
    benchmark::DoNotOptimize(edit.document()->blockCount());
    state.PauseTiming();
    delete tools;
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}

void BM_OpenPlain(benchmark::State& state) { open(state, false); }
void BM_OpenHighlighted(benchmark::State& state) { open(state, true); }

}  // namespace

BENCHMARK(BM_OpenPlain)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenHighlighted)->Iterations(3)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
