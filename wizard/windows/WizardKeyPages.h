#pragma once
// The key pages put into the wizard window: pages 9-11 filled, the loading pass giving them its
// key lists and captions, the page handlers of the key pages, and "Далее >>" reaching page 11.
#include <string>

namespace brindle::binds {
class KeyDialog;
class MetaBindWindow;
}  // namespace brindle::binds
namespace brindle::core {
class Settings;
}

namespace brindle::wizard {

class KeyPages;
class WizardWindow;

// Builds the key pages into `wizard` (once, right after the wizard is created). `keyDialog` and
// `metabinds` are the program's shared windows, `settings` the settings file (it keeps the buy
// mode; may be null), `programDir` the program directory with a trailing separator (the
// pictures). The pages live as long as the wizard.
KeyPages* attachKeyPages(WizardWindow& wizard, binds::KeyDialog* keyDialog,
                         binds::MetaBindWindow* metabinds, core::Settings* settings,
                         std::string programDir);

}  // namespace brindle::wizard
