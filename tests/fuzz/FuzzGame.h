#pragma once
// A game directory held in memory and the word base of the program's data folder, for the
// targets that run the checks and the exec chain.
#include <map>
#include <string>

#include "dictionary/logic/KnownWords.h"
#include "editor/logic/ExecChain.h"
#include "tests/fuzz/FuzzSupport.h"

namespace brindle::fuzz {

// The program's in-memory source, counting its reads.
class MemorySource : public editor::MemorySource {
 public:
  std::size_t reads = 0;

  std::optional<std::string_view> read(const std::string& relPath, bool* unreadable) override {
    ++reads;
    return editor::MemorySource::read(relPath, unreadable);
  }
  std::size_t totalBytes() const {
    std::size_t n = 0;
    for (const auto& [path, text] : files) n += text.size();
    return n;
  }
};

// The names the parts of an input get, in order: the game's start files first, then files only
// an exec reaches (one in a folder, one with letter case that differs from the seeds' execs).
inline constexpr const char* kGameFileNames[] = {
    "config.cfg", "autoexec.cfg", "userconfig.cfg", "valve.rc",         "a.cfg",
    "sub/b.cfg",  "server.cfg",   "game.cfg",       "listenserver.cfg", "game_init.cfg"};
inline constexpr std::size_t kGameFiles = sizeof kGameFileNames / sizeof kGameFileNames[0];

// An input as a game directory: each part a file, named in the order above; an empty part is
// no file at all.
inline MemorySource gameDirectory(std::string_view input) {
  MemorySource source;
  const auto parts = splitParts(input, kGameFiles);
  for (std::size_t i = 0; i < parts.size(); ++i)
    if (!parts[i].empty()) source.add(kGameFileNames[i], std::string(parts[i]));
  return source;
}

// The word base and dictionary lists of the source tree's data folder, read once.
inline const core::Vocabulary& vocabulary() {
  static const core::Vocabulary v(dictionary::readKnownWords(BRINDLE_DATA_DIR));
  return v;
}

}  // namespace brindle::fuzz
