#pragma once
// The wizard's pass over its working text: the loading pass, which fills the key lists, the
// action captions and the settings of pages 2-8 from the text, and the two removal passes of the
// key pages, which free a key before it is given a new use. The pass mode chooses which one runs;
// it always returns to the loading pass.
#include <string>
#include <string_view>
#include <vector>

#include "wizard/logic/SettingsModel.h"

namespace brindle::wizard {

class WizardTexts;

enum class PassMode {
  Loading = 0,        // fill the controls from the working text
  BuyKeyRemoval = 1,  // free a key for a new buy script
  ReassignedKey = 2,  // free a key taken from one action for another
};

struct PassRequest {
  PassMode mode = PassMode::Loading;
  // Stop after the key lists and the action captions.
  bool keyCaptionsOnly = false;
  // The commands of the action buttons, each with its quotes ("\"+forward\""), in button order.
  std::vector<std::string> actionCommands;
  // Removal passes: the key to free, the key of the action being reassigned, and whether the
  // script aliases live in the autoexec text.
  std::string key;
  std::string previousKey;
  bool autoexecMode = false;
  GameVersion version = kDefaultGameVersion;
};

struct LoadingResult {
  std::vector<std::string> freeKeys;    // key names not bound in the text, in key-list order
  std::vector<std::string> usedKeys;    // keys bound in the text, as the text writes them
  std::vector<std::string> actionKeys;  // per action command: its key, or empty
  bool settingsRead = false;            // false when the pass stopped after the captions
  bool unbindallPresent = false;        // the text has a line that is exactly "unbindall"
  SettingsReading settings;
};

// The loading pass over the working text.
LoadingResult runLoadingPass(const WizardTexts& texts,
                             const std::vector<std::string>& actionCommands, bool keyCaptionsOnly,
                             GameVersion version = kDefaultGameVersion);

// Runs the pass the request names. The loading pass returns its result; a removal pass changes
// the texts and returns an empty result.
LoadingResult runPass(WizardTexts& texts, const PassRequest& request);

}  // namespace brindle::wizard
