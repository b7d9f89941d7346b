// Clean-up throughput on configs of 1, 10 and 20 MB made of typical lines with the blanks and
// semicolons the clean-up removes: as a new text, and in place.
#include <benchmark/benchmark.h>

#include <string>

#include "editor/logic/Cleanup.h"

using namespace brindle::core;
using namespace brindle::editor;

namespace {

std::string makeConfig(std::size_t bytes) {
  static const char* const lines[] = {
      "bind \"MOUSE1\" \"+attack \"\r\n", "alias +jd \"+jump;  +duck; \";\r\n",
      "sensitivity   \"2.5\" ;; \r\n",    "cl_updaterate \"101\";\r\n",
      "// comment   with   blanks ;\r\n", "alias q \"b; c;\"\r\n",
  };
  std::string text;
  text.reserve(bytes + 64);
  for (std::size_t i = 0; text.size() < bytes; ++i) text += lines[i % std::size(lines)];
  return text;
}

void BM_Cleanup(benchmark::State& state) {
  const std::string text = makeConfig(static_cast<std::size_t>(state.range(0)) << 20);
  for (auto _ : state) benchmark::DoNotOptimize(brindle::editor::cleanupText(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}

// The same without making a copy of the text first, as brindle-cli clean works.
void BM_CleanupInPlace(benchmark::State& state) {
  const std::string text = makeConfig(static_cast<std::size_t>(state.range(0)) << 20);
  std::string work;
  for (auto _ : state) {
    state.PauseTiming();
    work = text;
    state.ResumeTiming();
    brindle::editor::cleanupInPlace(work);
    benchmark::DoNotOptimize(work.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}

}  // namespace

BENCHMARK(BM_Cleanup)->Arg(1)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CleanupInPlace)->Arg(1)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
