// The explanation lookup reads its files afresh every time: how long one lookup takes in an
// ans1.pro of 2,000 entries (first, last and missing word), on the value-library tab (three
// files), and reading a list file of 2,000 entries.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "dictionary/logic/Explanations.h"
#include "dictionary/logic/ListFiles.h"

using namespace brindle::dictionary;

namespace {

constexpr int kEntries = 2000;

std::string entryName(int i) { return "cl_variable_" + std::to_string(i); }

// A program directory with dlls/ans1.pro, dlls/ans2.pro, a library and a list, made once and
// removed when the program ends.
struct BenchDir {
  std::string path;
  ~BenchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
};

const std::string& programDir() {
  static const BenchDir dir{[] {
    std::string tmpl = (std::filesystem::temp_directory_path() / "brindle-bench-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) std::abort();
    std::filesystem::create_directories(tmpl + "/dlls/dlz");
    std::ofstream ans1(tmpl + "/dlls/ans1.pro", std::ios::binary);
    std::ofstream list(tmpl + "/dlls/Stcmd.dll", std::ios::binary);
    for (int i = 0; i < kEntries; ++i) {
      // Explanations of typical length: one line of about 200 Cyrillic bytes.
      ans1 << "[" << entryName(i) << "]\r\nq=" << std::string(200, '\xE0') << "\r\n";
      list << entryName(i) << "\r\n";
    }
    std::ofstream(tmpl + "/dlls/ans2.pro", std::ios::binary) << "[other]\r\nq=x\r\n";
    std::ofstream(tmpl + "/dlls/dlz/Net.pro", std::ios::binary) << "[rate 25000]\r\nq=x\r\n";
    return tmpl;
  }()};
  return dir.path;
}

void BM_LookupFirst(benchmark::State& state) {
  const std::string& dir = programDir();
  for (auto _ : state)
    benchmark::DoNotOptimize(
        brindle::dictionary::lookUpExplanation(dir, "", entryName(0), "q", false));
}

void BM_LookupLast(benchmark::State& state) {
  const std::string& dir = programDir();
  for (auto _ : state)
    benchmark::DoNotOptimize(
        brindle::dictionary::lookUpExplanation(dir, "", entryName(kEntries - 1), "q", false));
}

void BM_LookupMissing(benchmark::State& state) {
  const std::string& dir = programDir();
  for (auto _ : state)
    benchmark::DoNotOptimize(
        brindle::dictionary::lookUpExplanation(dir, "", "no_such_word", "q", false));
}

void BM_LookupOnLibraryTab(benchmark::State& state) {
  const std::string& dir = programDir();
  for (auto _ : state)
    benchmark::DoNotOptimize(
        brindle::dictionary::lookUpExplanation(dir, "Net", entryName(kEntries - 1), "q", true));
}

void BM_ReadList(benchmark::State& state) {
  const std::string path = programDir() + "/dlls/Stcmd.dll";
  for (auto _ : state) benchmark::DoNotOptimize(brindle::dictionary::readListFile(path));
}

}  // namespace

BENCHMARK(BM_LookupFirst)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LookupLast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LookupMissing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LookupOnLibraryTab)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadList)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
