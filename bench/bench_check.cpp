// Config check throughput (brindle-cli check, the editor's live check) with the program's word
// base: configs of 1 and 10 MB made of typical lines (binds, aliases with scripts, variables,
// setinfo, comments, a few mistakes), and a config of one million lines drawn at random from the
// real-world configs of tests/realworld. The aim is 200 MB/s on one core.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/RealLines.h"
#include "core/ConsoleScript.h"
#include "core/FileIO.h"
#include "dictionary/logic/KnownWords.h"
#include "editor/logic/ConfigCheck.h"

using namespace brindle;

namespace {

std::string makeConfig(std::size_t bytes) {
  static const char* const lines[] = {
      "// \xcd\xe0\xf1\xf2\xf0\xee\xe9\xea\xe8 \xec\xfb\xf8\xe8 \xe8 \xf1\xe5\xf2\xe8\r\n",
      "bind \"MOUSE1\" \"+attack\"\r\n",
      "bind \"SPACE\" \"+jd\"\r\n",
      "alias +jd \"+jump; +duck\"\r\n",
      "alias -jd \"-jump; -duck\"\r\n",
      "alias buy_ak \"buy; menuselect 4; menuselect 1\"\r\n",
      "alias walk_on \"+speed; alias walk_t walk_off; echo on\"\r\n",
      "alias walk_off \"-speed; alias walk_t walk_on; echo off\"\r\n",
      "sensitivity \"2.5\"\r\n",
      "cl_updaterate \"101\"; cl_cmdrate \"101\"; rate \"25000\"\r\n",
      "hud_fastswitch \"1\"\r\n",
      "cl_crosshair_color \"50 250 50\" // \xe7\xe5\xeb\xb8\xed\xfb\xe9\r\n",
      "setinfo \"_vgui_menus\" \"0\"\r\n",
      "bind \"KP_HOME\" \"ak47; m4a1; primammo\"\r\n",
      "sensitivty 3\r\n",
      "say \"gg; wp\"\r\n",
  };
  std::string text;
  text.reserve(bytes + 128);
  for (std::size_t i = 0; text.size() < bytes; ++i) text += lines[i % std::size(lines)];
  return text;
}

// One million lines, each a line of one of the real-world configs, drawn with a fixed seed.
const std::string& realLines() {
  static const std::string text = bench::realLines(1000000);
  return text;
}

const core::Vocabulary& vocabulary() {
  static const core::Vocabulary v(dictionary::readKnownWords(BRINDLE_DATA_DIR "/"));
  return v;
}

void run(benchmark::State& state, const std::string& text, editor::ConfigKind kind) {
  const core::Vocabulary& v = vocabulary();
  editor::CheckOptions options;
  options.kind = kind;
  std::size_t problems = 0;
  for (auto _ : state) {
    const editor::CheckResult r = editor::checkConfig(text, v, options);
    problems = r.problems.size();
    benchmark::DoNotOptimize(problems);
  }
  state.counters["problems"] = static_cast<double>(problems);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}

void BM_CheckConfig(benchmark::State& state) {
  run(state, makeConfig(static_cast<std::size_t>(state.range(0)) << 20),
      editor::ConfigKind::Player);
}

void BM_CheckMillionRealLines(benchmark::State& state) {
  run(state, realLines(), editor::ConfigKind::Player);
}

void BM_Tokenize(benchmark::State& state) {
  const std::string text = makeConfig(static_cast<std::size_t>(state.range(0)) << 20);
  const core::Vocabulary& v = vocabulary();
  const core::NameSet aliases = core::definedAliases(text);
  for (auto _ : state) benchmark::DoNotOptimize(core::tokenize(text, v, &aliases));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}

}  // namespace

BENCHMARK(BM_CheckConfig)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckMillionRealLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tokenize)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
