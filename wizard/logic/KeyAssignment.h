#pragma once
// Key assignment on the wizard's key pages: giving an action a key, taking a key from one
// action for another, and writing a key's buy script, with the two key lists and the action
// captions kept in step with the working text.
//
// Keys are compared as the game compares them, without regard to letter case: a key that the
// text binds as "W" is in use when "w" is chosen. (Comparing with case would let a second bind
// line for the same key be written silently while the caption claims it is the action's key.)
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "wizard/logic/BuyScript.h"
#include "wizard/logic/KeyActions.h"

namespace brindle::wizard {

class WizardTexts;
struct LoadingResult;

// The key pages' view of the working text.
struct KeyState {
  std::vector<std::string> freeKeys;  // key names not bound, as the key list writes them
  std::vector<std::string> usedKeys;  // keys bound, as the text writes them
  std::array<std::string, kKeyActionCount> captions;  // per action of kKeyActions: its key
  bool unbindallPresent = false;                      // the text holds the line "unbindall"
};

// The action commands in the order of kKeyActions, as the loading pass wants them.
std::vector<std::string> actionCommands();

// Lists and captions from a loading pass over the text (the unbindall flag only when the pass
// read it, that is when it did not stop after the captions).
void takeKeyLists(KeyState& state, const LoadingResult& result);
// The loading pass, stopped after the captions: the lists refilled from scratch.
void reloadKeyLists(WizardTexts& texts, KeyState& state);

// Whether `key` is in `usedKeys` in any letter case.
bool isKeyUsed(const std::vector<std::string>& usedKeys, std::string_view key);

// Frees the key an action shows: its first entry in the used-keys list (any letter case) goes,
// and the caption is appended to the free-keys list. Returns the caption (the previous key).
std::string releaseKey(KeyState& state, std::size_t action);

// "unbindall" as the first line, once per loaded file.
void insertUnbindall(WizardTexts& texts, KeyState& state);

// Gives `action` the key the user accepted in the key dialog: shows the new key and, when it is
// not in use elsewhere, moves it between the lists and rewrites the action's bind command in
// place (`bind "PREV" CMD` becomes `bind "KEY" CMD`; the other commands of its line stay) or
// appends the bind line. The previous key moves to the free-keys list once no bind of it is left.
// Returns whether the text was written.
bool assignKey(WizardTexts& texts, KeyState& state, std::size_t action, std::string_view key);

// Takes a key in use for `action` after the user agreed: frees the key completely (its script
// aliases and bind line) together with the action's previous bind line, reloads the lists and
// captions, appends the action's new bind line and shows the key on the action.
void reassignKey(WizardTexts& texts, KeyState& state, std::size_t action, std::string_view key);

// The key dialog's check of a chosen key: a free key is taken at once; a key in use (any letter
// case) only when `confirm`, the reassignment question, agrees, and it is then taken from its
// action by reassignKey(). Returns whether the key is taken; assignKey() then gives it to the
// action.
bool checkKeyChoice(WizardTexts& texts, KeyState& state, std::size_t action, std::string_view key,
                    const std::function<bool()>& confirm);

// The removal pass for a key given to another action. From the working text: the three script
// aliases of KEY, every bind of KEY and every bind of OLD (keys in any letter case; nothing for an
// empty OLD: an action without a key has nothing to lose). Each command goes alone; other
// commands on its line stay.
void removeReassignedKey(WizardTexts& texts, std::string_view key, std::string_view oldKey);

// The removal pass for a key that gets a new buy script: its three aliases from the alias
// target (the autoexec text in autoexec mode), then every bind of the key from the working text.
void removeBuyKey(WizardTexts& texts, std::string_view key, bool autoexecMode);

// In autoexec mode the game rewrites config.cfg when it quits and keeps no alias there: the alias
// commands of the working text from line `fromLine` on (what the MetaBind window just added) move
// to the end of the autoexec text. Returns how many moved.
std::size_t moveAliasesToAutoexec(WizardTexts& texts, std::size_t fromLine);

// BIND: writes the script of `parts` for `key` (from the free-keys list, or the used-keys list
// when `usedKey`): "unbindall" once, for a used key the removal pass, the alias lines to the
// alias target, the bind line to the working text; then the lists follow (a free key moves to
// the used-keys list, a used key reloads both lists and the captions).
void writeBuyScript(WizardTexts& texts, KeyState& state, std::string_view key, bool usedKey,
                    const ScriptParts& parts, bool autoexecMode);

}  // namespace brindle::wizard
