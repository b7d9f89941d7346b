#include "dictionary/logic/Explanations.h"

#include "core/Ini.h"
#include "core/DataPaths.h"

namespace brindle::dictionary {
namespace {

constexpr std::string_view kMissing = "????";

// One step of the lookup: " " + the value of `key` in section `word` of the file, or " ????"
// when the file, the section or the key is missing.
std::string lookIn(const std::string& path, std::string_view word, std::string_view key) {
  return " " + core::iniReadString(path, word, key, kMissing);
}

}  // namespace

std::string ReadIni2(const std::string& programDir, std::string_view library,
                     std::string_view word, std::string_view key, bool libraryTabActive) {
  if (libraryTabActive) {
    const std::string own =
        lookIn(core::resolveDataPath(programDir, "dlls\\dlz\\" + std::string(library) + ".pro"), word, key);
    if (own != kNoExplanation) return own;
    const std::string second = lookIn(core::resolveDataPath(programDir, "dlls\\ans2.pro"), word, key);
    if (second != kNoExplanation) return second;
  }
  return lookIn(core::resolveDataPath(programDir, "dlls\\ans1.pro"), word, key);
}

}  // namespace brindle::dictionary
