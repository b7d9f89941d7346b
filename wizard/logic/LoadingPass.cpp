#include "wizard/logic/LoadingPass.h"

#include <algorithm>

#include "binds/logic/KeyNames.h"
#include "core/ConsoleScript.h"
#include "wizard/logic/KeyActions.h"
#include "wizard/logic/KeyAssignment.h"
#include "wizard/logic/WizardText.h"

namespace brindle::wizard {

LoadingResult runLoadingPass(const WizardTexts& texts,
                             const std::vector<std::string>& actionCommands, bool keyCaptionsOnly,
                             GameVersion version) {
  LoadingResult r;
  r.freeKeys.assign(binds::kKeyNames.begin(), binds::kKeyNames.end());
  texts.collectUsedKeys("bind \"", r.freeKeys, r.usedKeys);
  r.actionKeys.reserve(actionCommands.size());
  for (const std::string& command : actionCommands)
    r.actionKeys.push_back(texts.readBoundKey(boundKeySuffix(command)));
  // Binds in any other form the game runs (`bind w +forward`, unquoted, after a ';').
  const std::string_view text = texts.working.text();
  const std::vector<ConsoleCommand> commands = consoleCommands(text);
  for (const ConsoleCommand& c : commands) {
    if (!core::sameName(c.name(), "bind") || c.words.size() < 3 || c.words[1].text.empty())
      continue;
    const std::string& key = c.words[1].text;
    const auto entry = std::find_if(r.freeKeys.begin(), r.freeKeys.end(),
                                    [&](const std::string& e) { return core::sameName(e, key); });
    if (entry != r.freeKeys.end()) {
      r.freeKeys.erase(entry);
      r.usedKeys.push_back(key);
    }
    const std::string script = c.script(text);
    for (std::size_t i = 0; i < actionCommands.size(); ++i) {
      std::string_view command = actionCommands[i];
      if (command.size() >= 2 && command.front() == '"')
        command = command.substr(1, command.size() - 2);
      if (r.actionKeys[i].empty() && core::sameName(script, command)) r.actionKeys[i] = key;
    }
  }
  if (keyCaptionsOnly) return r;

  const std::vector<std::string> lines = texts.working.lines();
  r.unbindallPresent = std::find(lines.begin(), lines.end(), "unbindall") != lines.end();
  r.settings = readSettings(texts.working, version);
  r.settingsRead = true;
  return r;
}

LoadingResult runPass(WizardTexts& texts, const PassRequest& request) {
  switch (request.mode) {
    case PassMode::Loading:
      return runLoadingPass(texts, request.actionCommands, request.keyCaptionsOnly,
                            request.version);
    case PassMode::BuyKeyRemoval:
      removeBuyKey(texts, request.key, request.autoexecMode);
      break;
    case PassMode::ReassignedKey:
      removeReassignedKey(texts, request.key, request.previousKey);
      break;
  }
  return {};
}

}  // namespace brindle::wizard
