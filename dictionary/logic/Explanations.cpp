#include "dictionary/logic/Explanations.h"

#include "core/DataLayout.h"
#include "core/FileIO.h"
#include "core/Ini.h"

namespace brindle::dictionary {
namespace {

constexpr std::string_view kMissing = "????";

// One step of the lookup: " " + the value of `key` in section `word` of the file, or " ????"
// when the file, the section or the key is missing, or the file cannot be read.
std::string lookIn(const std::string& path, std::string_view word, std::string_view key,
                   std::vector<std::string>* problems) {
  const core::IniLookup found = core::iniLookup(path, word, key);
  if (!found.value && !found.error.empty() && problems != nullptr && !path.empty() &&
      core::pathExists(path))
    problems->push_back(found.error);
  return " " + found.value.value_or(std::string(kMissing));
}

}  // namespace

std::string lookUpExplanation(const std::string& programDir, std::string_view library,
                              std::string_view word, std::string_view key, bool libraryTabActive,
                              std::vector<std::string>* problems) {
  const core::DataLayout data(programDir);
  if (libraryTabActive) {
    const std::string own =
        lookIn(data.libraryFile(std::string(library) + ".pro").value_or(""), word, key, problems);
    if (own != kNoExplanation) return own;
    const std::string second = lookIn(data.secondExplanations(), word, key, problems);
    if (second != kNoExplanation) return second;
  }
  return lookIn(data.mainExplanations(), word, key, problems);
}

}  // namespace brindle::dictionary
