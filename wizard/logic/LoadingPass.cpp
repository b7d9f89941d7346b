#include "wizard/logic/LoadingPass.h"

#include <algorithm>

#include "binds/logic/KeyNames.h"
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
