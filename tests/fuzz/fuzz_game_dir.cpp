// The exec chain and the whole configuration of a generated game directory: the walk keeps to
// its budget of files and never leaves a file open, and the configuration records work in
// proportion to the text of the directory (each command run a few entries, and the commands run
// within the runner's budget, however aliases and execs call each other). Its JSON form is valid
// JSON.
#include <fuzzer/FuzzedDataProvider.h>

#include <nlohmann/json.hpp>

#include "core/Cp1251.h"
#include "editor/logic/EffectiveConfig.h"
#include "tests/fuzz/FuzzGame.h"

using namespace brindle;

namespace {

// Counts what a walk hands out.
struct Walk : editor::ChainVisitor {
  std::size_t entered = 0;
  std::size_t open = 0;
  std::size_t bytes = 0;  // the text the walk runs: every file as often as it is run
  std::size_t commands = 0;
  std::size_t troubles = 0;

  void enterFile(const editor::ChainFile& f) override {
    ++entered;
    ++open;
    bytes += f.text.size() + 1;
    FUZZ_REQUIRE(f.depth >= 0);
    FUZZ_REQUIRE((f.depth == 0) == (f.parent == nullptr));
  }
  void leaveFile(const editor::ChainFile&) override {
    FUZZ_REQUIRE(open > 0);
    --open;
  }
  void command(const editor::ChainFile&, std::string_view, const core::ScriptCommand&) override {
    ++commands;
  }
  void missingFile(const editor::ChainFile&, const editor::ExecLine&, editor::ExecTrouble,
                   bool) override {
    ++troubles;
  }
  void loop(const editor::ChainFile&, const editor::ExecLine&, editor::ExecTrouble) override {
    ++troubles;
  }
};

std::size_t recorded(const editor::EffectiveConfig& c) {
  std::size_t n = c.duringPlay.size() + c.problems.size() + c.clearings.size();
  for (const auto* list : {&c.variables, &c.keys, &c.aliases, &c.setinfo})
    for (const editor::EffectiveEntry& e : *list) {
      FUZZ_REQUIRE(!e.history.empty());
      n += e.history.size();
    }
  return n;
}

// Entries the whole configuration may record for `bytes` bytes of distinct text: a few per
// command, for at most the commands its budget lets run.
std::size_t mostRecorded(std::size_t bytes) {
  using Account = editor::ChainAccount;
  return 8 * (Account::kCommandsBase + Account::kPerDistinct * bytes) + 64;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const auto role = static_cast<editor::GameRole>(in.ConsumeIntegralInRange<int>(0, 2));
  editor::StartOptions start;
  start.autoexec = in.ConsumeBool();
  editor::WalkOptions walkOptions;
  walkOptions.followConditional = in.ConsumeBool();
  const std::string input = in.ConsumeRemainingBytesAsString();
  fuzz::MemorySource dir = fuzz::gameDirectory(input);
  const core::Vocabulary& words = fuzz::vocabulary();

  const std::vector<std::string> startFiles = editor::gameStartFiles(dir, role, start);
  FUZZ_REQUIRE(!startFiles.empty() && startFiles.size() <= 6);

  // The walk the whole configuration makes, and one that may leave out what only keys run.
  Walk walk;
  editor::walkChain(dir, startFiles, walk);
  FUZZ_REQUIRE(walk.open == 0);
  Walk startOnly;
  editor::walkChain(dir, startFiles, startOnly, walkOptions);
  FUZZ_REQUIRE(startOnly.open == 0);
  FUZZ_REQUIRE(walk.entered <= editor::ChainAccount::kFileRunsBase +
                                   editor::ChainAccount::kPerDistinct * dir.files.size() +
                                   startFiles.size());
  const auto levels = static_cast<std::size_t>(core::ScriptScanner::kMaxDepth + 1);
  FUZZ_REQUIRE(walk.commands <= 2 * levels * walk.bytes);
  FUZZ_REQUIRE(walk.troubles <= walk.commands);

  editor::EffectiveOptions options;
  options.isCommand = [&words](std::string_view name) { return words.isCommand(name); };
  options.isKey = [&words](std::string_view name) { return words.isEngineKey(name); };
  const editor::EffectiveConfig config = editor::computeEffective(dir, startFiles, options);
  // Each command run sets or removes a few entries; an alias run at start counts as its
  // commands, so aliases that call each other many times over must not multiply the work.
  FUZZ_REQUIRE(recorded(config) <= mostRecorded(dir.totalBytes() + dir.files.size()));
  FUZZ_REQUIRE(config.files.size() <= walk.entered);

  const std::string json =
      editor::effectiveJson(config, [](std::string_view s) { return core::toUtf8(s); });
  FUZZ_REQUIRE(nlohmann::json::accept(json));
  for (const editor::EffectiveEntry& e : config.variables)
    FUZZ_REQUIRE(
        !editor::describeEntry(e, [](std::string_view s) { return core::toUtf8(s); }).empty());

  // One file alone: what it sets itself.
  if (!dir.files.empty()) {
    const auto& [path, text] = *dir.files.begin();
    const editor::EffectiveConfig own = editor::computeEffectiveOfText(path, text, options);
    FUZZ_REQUIRE(recorded(own) <= mostRecorded(text.size() + 1));
  }
  return 0;
}
