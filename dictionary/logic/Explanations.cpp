#include "dictionary/logic/Explanations.h"

#include "core/DataLayout.h"
#include "core/Ini.h"

namespace brindle::dictionary {
namespace {

constexpr std::string_view kMissing = "????";

// One step of the lookup: " " + the value of `key` in section `word` of the file, or " ????"
// when the file, the section or the key is missing.
std::string lookIn(const std::string& path, std::string_view word, std::string_view key) {
  return " " + core::iniReadString(path, word, key, kMissing);
}

}  // namespace

std::string lookUpExplanation(const std::string& programDir, std::string_view library,
                              std::string_view word, std::string_view key, bool libraryTabActive) {
  const core::DataLayout data(programDir);
  if (libraryTabActive) {
    const std::string own =
        lookIn(data.libraryFile(std::string(library) + ".pro").value_or(""), word, key);
    if (own != kNoExplanation) return own;
    const std::string second = lookIn(data.secondExplanations(), word, key);
    if (second != kNoExplanation) return second;
  }
  return lookIn(data.mainExplanations(), word, key);
}

}  // namespace brindle::dictionary
