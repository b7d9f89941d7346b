// Aliases and execs that fan out: twelve aliases, each running the next four times (a 334-byte
// config the engine would run 4^12 commands for), and a.cfg running b.cfg 16 times, b running c
// 16 times, c running d 16 times. The console runner stops both at its budgets; each should take
// a few milliseconds.
#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "editor/logic/EffectiveConfig.h"

using namespace brindle;

namespace {

using brindle::editor::MemorySource;

std::string aliasFanOut() {
  std::string text = "alias a12 \"fps_max 100\"\r\n";
  for (int i = 11; i >= 0; --i) {
    const std::string next = "a" + std::to_string(i + 1);
    text += "alias a" + std::to_string(i) + " \"" + next + ";" + next + ";" + next + ";" + next +
            "\"\r\n";
  }
  return text + "a0\r\n";
}

void AliasFanOut(benchmark::State& state) {
  const std::string text = aliasFanOut();
  for (auto _ : state) {
    const editor::EffectiveConfig c = editor::computeEffectiveOfText("config.cfg", text);
    benchmark::DoNotOptimize(c.variables.data());
  }
  state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(AliasFanOut)->Unit(benchmark::kMillisecond);

void ExecFanOut(benchmark::State& state) {
  MemorySource src;
  const auto fan = [](const std::string& target) {
    std::string t;
    for (int i = 0; i < 16; ++i) t += "exec " + target + "\r\n";
    return t;
  };
  src.files = {{"a.cfg", fan("b.cfg")}, {"b.cfg", fan("c.cfg")}, {"c.cfg", fan("d.cfg")}};
  for (int i = 0; i < 200; ++i) src.files["d.cfg"] += "cl_var" + std::to_string(i) + " 1\r\n";
  for (auto _ : state) {
    const editor::EffectiveConfig c = editor::computeEffective(src, {"a.cfg"});
    benchmark::DoNotOptimize(c.variables.data());
  }
}
BENCHMARK(ExecFanOut)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
