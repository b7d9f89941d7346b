// The wizard's loading pass (key lists, the captions of the 44 action buttons, the 43 settings
// rows) on configs of 10,000 and 100,000 lines. Its cost grows with the length of the config:
// each row looks through the text once, from the end, so 100,000 lines should take about ten
// times as long as 10,000.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "wizard/logic/LoadingPass.h"
#include "wizard/logic/WizardText.h"

using namespace brindle::wizard;

namespace {

// The commands of the key pages' action buttons.
const std::vector<std::string> kActions = {
    "\"+forward\"", "\"+moveleft\"",    "\"+back\"",         "\"+moveright\"",  "\"+attack\"",
    "\"+attack2\"", "\"+jump\"",        "\"+duck\"",         "\"+moveup\"",     "\"+movedown\"",
    "\"+left\"",    "\"+right\"",       "\"slot1\"",         "\"slot2\"",       "\"slot3\"",
    "\"slot4\"",    "\"slot5\"",        "\"slot6\"",         "\"slot7\"",       "\"slot8\"",
    "\"slot9\"",    "\"slot10\"",       "\"invprev\"",       "\"invnext\"",     "\"lastinv\"",
    "\"drop\"",     "\"+reload\"",      "\"toggleconsole\"", "\"+use\"",        "\"impulse 100\"",
    "\"pause\"",    "\"nightvision\"",  "\"impulse 201\"",   "\"+showscores\"", "\"buy\"",
    "\"quit\"",     "\"cancelselect\"", "\"chooseteam\"",    "\"+speed\"",      "\"radio1\"",
    "\"radio2\"",   "\"radio3\"",       "\"messagemode2\"",  "\"messagemode\""};

// A config of `count` lines: binds of every key, settings the rows look for (most of them near
// the top, so each row's search from the end runs through nearly the whole text), aliases and
// comments.
std::string makeConfig(std::size_t count) {
  static const char* const lines[] = {
      "bind \"MOUSE1\" \"+attack\"",
      "bind \"w\" \"+forward\"",
      "alias \"+jd\" \"+jump; +duck\"",
      "// comment with \"quotes\" and rate \"1\"",
      "cl_updaterate \"101\"",
      "bind \"F1\" \"Kav-F1\"",
      "echo \"hello\"",
      "alias \"Kav-F1\" \"buy;wait;menuselect 4;\"",
  };
  std::string text =
      "unbindall\r\nname \"Player\"\r\nsensitivity \"2.5\"\r\ncon_color \"255 0 0\"\r\n"
      "hud_fastswitch \"1\"\r\nmp_timelimit \"20\"\r\nrate \"25000\"\r\n";
  for (std::size_t i = 7; i < count; ++i) {
    text += lines[i % std::size(lines)];
    text += "\r\n";
  }
  return text;
}

void BM_LoadingPass(benchmark::State& state) {
  WizardTexts texts;
  texts.working.loadFileText(makeConfig(static_cast<std::size_t>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(runLoadingPass(texts, kActions, false));
  state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_LoadingPass)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK_MAIN();
