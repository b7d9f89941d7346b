#pragma once
// Configs of any length made of real lines: lines of the configs in tests/realworld (every .cfg
// below BRINDLE_REALWORLD), drawn with a fixed seed, each ended by CR LF.
#include <cstddef>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/FileIO.h"

namespace brindle::bench {

inline std::string realLines(int count) {
  std::vector<std::string> lines;
  for (const auto& e : std::filesystem::recursive_directory_iterator(BRINDLE_REALWORLD)) {
    if (e.path().extension() != ".cfg") continue;
    const std::string data = core::readFile(e.path().string()).data;
    std::size_t start = 0;
    while (start < data.size()) {
      std::size_t end = data.find('\n', start);
      if (end == std::string::npos) end = data.size();
      std::string line = data.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty()) lines.push_back(std::move(line));
      start = end + 1;
    }
  }
  std::mt19937 pick(15);
  std::uniform_int_distribution<std::size_t> any(0, lines.size() - 1);
  std::string out;
  for (int i = 0; i < count; ++i) {
    out += lines[any(pick)];
    out += "\r\n";
  }
  return out;
}

}  // namespace brindle::bench
