#pragma once
// What the fuzz targets share: a property check that stops the run, the split of one input into
// several texts, an in-memory game directory and the word base the checks read.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brindle::fuzz {

// A property that must hold for every input; a violation stops the run as a crash, so libFuzzer
// keeps the input.
[[noreturn]] inline void violated(const char* what, const char* file, int line) {
  std::fprintf(stderr, "\nfuzz property violated at %s:%d: %s\n", file, line, what);
  __builtin_trap();
}
#define FUZZ_REQUIRE(cond) \
  ((cond) ? static_cast<void>(0) : ::brindle::fuzz::violated(#cond, __FILE__, __LINE__))

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The parts of an input between lines that read "%%" (the seeds are readable files; the marker
// is in each target's dictionary, so the fuzzer makes and removes parts).
inline std::vector<std::string_view> splitParts(std::string_view input, std::size_t maxParts) {
  constexpr std::string_view kMarker = "\n%%\n";
  std::vector<std::string_view> parts;
  while (parts.size() + 1 < maxParts) {
    const std::size_t at = input.find(kMarker);
    if (at == std::string_view::npos) break;
    parts.push_back(input.substr(0, at));
    input.remove_prefix(at + kMarker.size());
  }
  parts.push_back(input);
  return parts;
}

}  // namespace brindle::fuzz
