#include "wizard/logic/KeyAssignment.h"

#include <algorithm>

#include "core/Cp1251.h"
#include "wizard/logic/LoadingPass.h"
#include "wizard/logic/WizardText.h"

namespace brindle::wizard {

namespace {

// A bind line that was written by hand may be long; such a line is left alone and the new
// bind line appended instead.
constexpr std::size_t kMaxBindLineLength = 100;

std::string upperKey(std::string_view key) {
  std::string s(key);
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

// Deletes the line of the first occurrence of `prefix` in the working text (readValue) or the
// autoexec text (findInAutoexec). Returns whether there was one.
bool removeLine(WizardTexts& texts, bool autoexec, std::string_view prefix) {
  if (autoexec)
    texts.findInAutoexec(prefix);
  else
    texts.readValue(prefix);
  if (texts.lastMatch == -1) return false;
  texts.deleteMatchLine(autoexec ? texts.autoexec : texts.working);
  return true;
}

// Removes the first text of `prefixes` that occurs; returns whether one did.
bool removeFirstOf(WizardTexts& texts, const std::vector<std::string>& prefixes) {
  for (const std::string& p : prefixes)
    if (removeLine(texts, false, p)) return true;
  return false;
}

std::string bindPrefix(std::string_view key) { return "bind \"" + std::string(key) + "\""; }

// The last line that binds `key` in any letter case (blanks or tabs may stand before "bind").
bool removeBindAnyCase(WizardTexts& texts, std::string_view key) {
  const auto& lines = texts.working.lines();
  for (std::size_t i = lines.size(); i-- > 0;) {
    const std::string& l = lines[i];
    const std::size_t start = l.find_first_not_of(" \t");
    if (start == std::string::npos || l.compare(start, 6, "bind \"") != 0) continue;
    const std::size_t keyStart = start + 6;
    if (l.size() < keyStart + key.size() + 1 || l[keyStart + key.size()] != '"') continue;
    if (!core::equalsNoCase(std::string_view(l).substr(keyStart, key.size()), key)) continue;
    texts.working.eraseLine(i);
    return true;
  }
  return false;
}

void eraseKey(std::vector<std::string>& keys, std::string_view key) {
  const auto it = std::find_if(keys.begin(), keys.end(),
                               [&](const std::string& k) { return core::equalsNoCase(k, key); });
  if (it != keys.end()) keys.erase(it);
}

}  // namespace

std::vector<std::string> actionCommands() {
  std::vector<std::string> commands;
  commands.reserve(kKeyActionCount);
  for (const KeyAction& a : kKeyActions) commands.emplace_back(a.command);
  return commands;
}

void takeKeyLists(KeyState& state, const LoadingResult& result) {
  state.freeKeys = result.freeKeys;
  state.usedKeys = result.usedKeys;
  for (std::size_t i = 0; i < kKeyActionCount; ++i)
    state.captions[i] = i < result.actionKeys.size() ? result.actionKeys[i] : std::string();
  if (result.settingsRead) state.unbindallPresent = result.unbindallPresent;
}

void reloadKeyLists(WizardTexts& texts, KeyState& state) {
  takeKeyLists(state, runLoadingPass(texts, actionCommands(), true));
}

bool isKeyUsed(const std::vector<std::string>& usedKeys, std::string_view key) {
  return std::any_of(usedKeys.begin(), usedKeys.end(),
                     [&](const std::string& e) { return core::equalsNoCase(e, key); });
}

std::string releaseKey(KeyState& state, std::size_t action) {
  std::string previous = state.captions[action];
  const auto it =
      std::find_if(state.usedKeys.begin(), state.usedKeys.end(), [&](const std::string& e) {
        return e == previous || e == lowerKey(previous) || e == upperKey(previous);
      });
  if (it != state.usedKeys.end()) {
    state.usedKeys.erase(it);
    state.freeKeys.push_back(previous);
  }
  return previous;
}

void insertUnbindall(WizardTexts& texts, KeyState& state) {
  if (state.unbindallPresent) return;
  texts.working.insertLine(0, "unbindall");
  state.unbindallPresent = true;
}

bool assignKey(WizardTexts& texts, KeyState& state, std::size_t action, std::string_view key) {
  const std::string previous = releaseKey(state, action);
  state.captions[action] = key;
  if (isKeyUsed(state.usedKeys, key)) return false;
  state.usedKeys.emplace_back(key);
  eraseKey(state.freeKeys, key);

  insertUnbindall(texts, state);
  const std::string_view command = kKeyActions[action].command;
  texts.wholeLineMode = true;
  texts.minLineLength = 1;
  texts.maxLineLength = kMaxBindLineLength;
  texts.replaceOrAppend(actionBindLine(previous, command), actionBindLine(key, command), false);
  texts.wholeLineMode = false;
  return true;
}

void reassignKey(WizardTexts& texts, KeyState& state, std::size_t action, std::string_view key) {
  PassRequest removal;
  removal.mode = PassMode::ReassignedKey;
  removal.key = key;
  removal.previousKey = state.captions[action];
  runPass(texts, removal);
  reloadKeyLists(texts, state);
  texts.working.appendLine(actionBindLine(key, kKeyActions[action].command));
  state.captions[action] = key;
}

bool checkKeyChoice(WizardTexts& texts, KeyState& state, std::size_t action, std::string_view key,
                    const std::function<bool()>& confirm) {
  if (!isKeyUsed(state.usedKeys, key)) return true;
  if (!confirm()) return false;
  reassignKey(texts, state, action, key);
  return true;
}

void removeReassignedKey(WizardTexts& texts, std::string_view key, std::string_view oldKey) {
  for (const std::string& alias : buyKeyAliasTexts(key)) removeLine(texts, false, alias);
  if (!removeFirstOf(texts,
                     {bindPrefix(key), bindPrefix(lowerKey(key)), bindPrefix(upperKey(key))}))
    removeBindAnyCase(texts, key);
  if (!oldKey.empty())
    removeFirstOf(texts,
                  {bindPrefix(oldKey), bindPrefix(upperKey(oldKey)), bindPrefix(lowerKey(oldKey))});
}

void removeBuyKey(WizardTexts& texts, std::string_view key, bool autoexecMode) {
  for (const std::string& alias : buyKeyAliasTexts(key)) removeLine(texts, autoexecMode, alias);
  for (const std::string& bind : buyKeyBindTexts(key)) removeLine(texts, false, bind);
}

void writeBuyScript(WizardTexts& texts, KeyState& state, std::string_view key, bool usedKey,
                    const ScriptParts& parts, bool autoexecMode) {
  insertUnbindall(texts, state);
  if (usedKey) {
    PassRequest removal;
    removal.mode = PassMode::BuyKeyRemoval;
    removal.key = key;
    removal.autoexecMode = autoexecMode;
    runPass(texts, removal);
  }
  const BuyBlock block = buildBuyBlock(key, parts);
  WizardText& target = autoexecMode ? texts.autoexec : texts.working;
  for (const std::string& line : block.aliasLines) target.appendLine(line);
  texts.working.appendLine(block.bindLine);
  if (usedKey) {
    reloadKeyLists(texts, state);
  } else {
    state.usedKeys.emplace_back(key);
    eraseKey(state.freeKeys, key);
  }
}

}  // namespace brindle::wizard
