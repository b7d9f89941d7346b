#include "wizard/logic/LoadingPass.h"

#include "binds/logic/KeyNames.h"
#include "wizard/logic/KeyAssignment.h"
#include "wizard/logic/WizardText.h"

namespace brindle::wizard {

LoadingResult runLoadingPass(WizardTexts& texts, const std::vector<std::string>& actionCommands,
                             bool keyCaptionsOnly) {
  LoadingResult r;
  r.freeKeys.assign(binds::kKeyNames.begin(), binds::kKeyNames.end());
  texts.collectUsedKeys("bind \"", r.freeKeys, r.usedKeys);
  r.actionKeys.reserve(actionCommands.size());
  for (const std::string& command : actionCommands)
    r.actionKeys.push_back(texts.readBoundKey("\" " + command));
  if (keyCaptionsOnly) return r;

  texts.readValue("unbindall");
  r.unbindallPresent = texts.lastMatch != -1 &&
                       texts.working.at(static_cast<std::size_t>(texts.matchLine)).size() == 9;
  r.settings = readSettings(texts);
  r.settingsRead = true;
  return r;
}

LoadingResult runPass(WizardTexts& texts, const PassRequest& request) {
  switch (request.mode) {
    case PassMode::Loading:
      return runLoadingPass(texts, request.actionCommands, request.keyCaptionsOnly);
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
