#include "overview/logic/EffectiveDirectory.h"

#include "dictionary/logic/KnownWords.h"
#include "editor/logic/DocumentContext.h"

namespace brindle::overview {

bool wordsComplete(const core::KnownWords& known) {
  return known.missing.empty() && !known.variables.empty();
}

editor::EffectiveOptions effectiveOptions(const core::Vocabulary& vocabulary, bool complete) {
  editor::EffectiveOptions options;
  options.isCommand = [&vocabulary](std::string_view name) {
    const core::Vocabulary::Known k = vocabulary.lookup(name);
    return k.command && !k.variable;
  };
  options.isKey = [&vocabulary](std::string_view name) { return vocabulary.bindsKey(name); };
  if (complete)
    options.isVariable = [&vocabulary](std::string_view name) {
      return vocabulary.isVariable(name);
    };
  return options;
}

editor::EffectiveConfig effectiveOfGame(editor::FileSource& source,
                                        const editor::EffectiveOptions& options) {
  const std::vector<std::string> start = editor::gameStartFiles(source, editor::GameRole::Client);
  return editor::computeEffective(source, start, options);
}

DirectoryConfig effectiveOfDirectory(const std::string& dir, const std::string& programDir) {
  DirectoryConfig out;
  const core::KnownWords known = dictionary::readKnownWords(programDir);
  out.wordsMissing = !known.missing.empty() || known.commands.empty();
  const core::Vocabulary vocabulary(known);
  out.gameDir = editor::resolveGameDir(dir);
  editor::DiskSource disk(out.gameDir);
  out.config = effectiveOfGame(disk, effectiveOptions(vocabulary, wordsComplete(known)));
  return out;
}

}  // namespace brindle::overview
