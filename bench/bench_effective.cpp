// The effective configuration of a game directory whose start files exec a tree of scripts:
// 10, 100 and 1000 files of 1000 lines each (10,000 to 1,000,000 lines). Each file sets
// variables, binds keys, defines and runs aliases and execs the next files, so that every name
// is set many times over. The time per line should stay the same as the directory grows: the
// work is linear in the total size of the files.
#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "editor/logic/EffectiveConfig.h"

using namespace brindle;

namespace {

using brindle::editor::MemorySource;

MemorySource makeDirectory(int fileCount, int linesPerFile) {
  MemorySource source;
  static const char* const keys[] = {"w",      "a",  "s",    "d", "MOUSE1",
                                     "MOUSE4", "F1", "KP_5", "q", "e"};
  for (int f = 0; f < fileCount; ++f) {
    std::string text;
    const std::string n = std::to_string(f);
    for (int line = 0; line < linesPerFile; ++line) {
      const std::string l = std::to_string(line);
      switch (line % 8) {
        case 0:
          text += "sensitivity \"" + l + "\"\r\n";
          break;
        case 1:
          text += "bind \"" + std::string(keys[line % 10]) + "\" \"+jd" + l + "\"\r\n";
          break;
        case 2:
          text += "alias +jd" + l + " \"+jump; wait; +duck; cl_var" + l + " 1\"\r\n";
          break;
        case 3:
          text += "cl_var" + n + "_" + l + " " + l + " // a comment; with a semicolon\r\n";
          break;
        case 4:
          text += "alias start" + l + " \"rate 25000; fps_max " + l + "\"; start" + l + "\r\n";
          break;
        case 5:
          text += "echo line " + l + "; hud_fastswitch 1\r\n";
          break;
        case 6:
          // Each file execs the two after it in a tree (and the root's ones again: no new work).
          text += line == 6 && 2 * f + 1 < fileCount
                      ? "exec s" + std::to_string(2 * f + 1) + ".cfg\r\n"
                  : line == 14 && 2 * f + 2 < fileCount
                      ? "exec s" + std::to_string(2 * f + 2) + ".cfg\r\n"
                      : "volume 0." + l + "\r\n";
          break;
        default:
          text += line % 200 == 7 ? "unbindall\r\n" : "// " + l + "\r\n";
          break;
      }
    }
    source.files["s" + n + ".cfg"] = std::move(text);
  }
  source.files["autoexec.cfg"] = "exec s0.cfg\r\n";
  return source;
}

void Effective(benchmark::State& state) {
  const int files = static_cast<int>(state.range(0));
  constexpr int kLines = 1000;
  MemorySource source = makeDirectory(files, kLines);
  std::size_t bytes = 0;
  for (const auto& [name, text] : source.files) bytes += text.size();
  const editor::EffectiveOptions options;
  for (auto _ : state) {
    const editor::EffectiveConfig config =
        editor::computeEffective(source, {"autoexec.cfg"}, options);
    if (config.files.size() != static_cast<std::size_t>(files) + 1)
      state.SkipWithError("files not all run");
    benchmark::DoNotOptimize(config.variables.size());
  }
  state.counters["lines"] = static_cast<double>(files) * kLines;
  state.counters["ns_per_line"] = benchmark::Counter(
      static_cast<double>(files) * kLines,
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}
BENCHMARK(Effective)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
