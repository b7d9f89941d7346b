// Replace-all on MetaBind scripts of 1, 10 and 30 MB: one placeholder replaced throughout
// (the find-and-replace rule), and a two-key MetaBind filled in as the MetaBind window does.
#include <benchmark/benchmark.h>

#include <string>

#include "binds/logic/Metabind.h"
#include "core/TextBuffer.h"

namespace {

std::string makeScript(std::size_t bytes) {
  static const char* const lines[] = {
      "alias +jd \"+jump; +duck\"\r\n",
      "alias -jd \"-jump; -duck\"\r\n",
      "bind <<1>> +jd\r\n",
      "bind <<2>> \"say <<1>> jumps\"\r\n",
      "// <<10>> is no slot of this script\r\n",
  };
  std::string text;
  text.reserve(bytes + 64);
  for (std::size_t i = 0; text.size() < bytes; ++i) text += lines[i % std::size(lines)];
  return text;
}

void BM_ReplaceAll(benchmark::State& state) {
  const std::string text = makeScript(static_cast<std::size_t>(state.range(0)) << 20);
  for (auto _ : state) {
    state.PauseTiming();
    brindle::core::MemoryBuffer buffer(text);
    state.ResumeTiming();
    const auto r = brindle::core::replaceAll(buffer, "<<1>>", "MWHEELDOWN");
    benchmark::DoNotOptimize(r);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}

void BM_FillMetabind(benchmark::State& state) {
  const std::string text = makeScript(static_cast<std::size_t>(state.range(0)) << 20);
  for (auto _ : state)
    benchmark::DoNotOptimize(brindle::binds::fillPlaceholders(text, {"MOUSE1", "SPACE"}));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}

}  // namespace

BENCHMARK(BM_ReplaceAll)->Arg(1)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillMetabind)->Arg(1)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
