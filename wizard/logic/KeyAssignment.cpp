#include "wizard/logic/KeyAssignment.h"

#include <algorithm>

#include "core/ConsoleScript.h"
#include "wizard/logic/LoadingPass.h"
#include "wizard/logic/WizardText.h"

namespace brindle::wizard {

namespace {

bool isCommand(const ConsoleCommand& c, std::string_view name) {
  return core::sameName(c.name(), name);
}

// Deletes, from `text`, every command of the text itself that `matches` accepts: the command
// alone, its line keeping whatever else it holds.
template <typename Match>
bool removeCommands(WizardText& text, Match matches) {
  bool removed = false;
  for (;;) {
    const std::vector<ConsoleCommand> all = consoleCommands(text.text());
    const auto c = std::find_if(all.rbegin(), all.rend(), matches);
    if (c == all.rend()) return removed;
    removeCommand(text, *c);
    removed = true;
  }
}

// Every bind of `key` (any letter case, as the key list compares names).
bool removeBinds(WizardText& text, std::string_view key) {
  if (key.empty()) return false;
  return removeCommands(text, [&](const ConsoleCommand& c) {
    return isCommand(c, "bind") && c.words.size() >= 2 && core::sameName(c.words[1].text, key);
  });
}

// The aliases of a key's buy script.
void removeBuyAliases(WizardText& text, std::string_view key) {
  const std::string main = buyAliasName(key);
  const std::string names[] = {main, main + "_equip", main + "_mes"};
  removeCommands(text, [&](const ConsoleCommand& c) {
    if (!isCommand(c, "alias") || c.words.size() < 2) return false;
    for (const std::string& n : names)
      if (core::sameName(c.words[1].text, n)) return true;
    return false;
  });
}

// Whether the text still binds `key`, as the loading pass finds bound keys.
bool stillBound(const WizardTexts& texts, std::string_view key) {
  std::vector<std::string> free{std::string(key)};
  std::vector<std::string> used;
  texts.collectUsedKeys("bind \"", free, used);
  if (!used.empty()) return true;
  const std::vector<ConsoleCommand> all = consoleCommands(texts.working.text());
  return std::any_of(all.begin(), all.end(), [&](const ConsoleCommand& c) {
    return isCommand(c, "bind") && c.words.size() >= 3 && core::sameName(c.words[1].text, key);
  });
}

void eraseKey(std::vector<std::string>& keys, std::string_view key) {
  const auto it = std::find_if(keys.begin(), keys.end(),
                               [&](const std::string& k) { return core::sameName(k, key); });
  if (it != keys.end()) keys.erase(it);
}

// The action command without its quotes ("impulse 100").
std::string_view unquoted(std::string_view command) {
  if (command.size() >= 2 && command.front() == '"' && command.back() == '"')
    return command.substr(1, command.size() - 2);
  return command;
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
                     [&](const std::string& e) { return core::sameName(e, key); });
}

std::string releaseKey(KeyState& state, std::size_t action) {
  std::string previous = state.captions[action];
  const auto it = std::find_if(state.usedKeys.begin(), state.usedKeys.end(),
                               [&](const std::string& e) { return core::sameName(e, previous); });
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
  const std::string previous = state.captions[action];
  state.captions[action] = key;
  // A key in use elsewhere is not written; the previous key keeps its bind and stays in use.
  if (isKeyUsed(state.usedKeys, key)) return false;

  insertUnbindall(texts, state);
  const std::string_view command = kKeyActions[action].command;
  const std::string line = actionBindLine(key, command);
  // The action's bind of the previous key is rewritten where it stands, the bind command alone:
  // other commands on its line stay.
  const std::vector<ConsoleCommand> all = consoleCommands(texts.working.text());
  const auto old = std::find_if(all.begin(), all.end(), [&](const ConsoleCommand& c) {
    return !previous.empty() && isCommand(c, "bind") && c.words.size() >= 3 &&
           core::sameName(c.words[1].text, previous) &&
           core::sameName(c.script(texts.working.text()), unquoted(command));
  });
  // A line that cannot take the new bind in place (replaceCommand) gets it on a line of its own.
  if (old == all.end() || !replaceCommand(texts.working, *old, line))
    texts.working.appendLine(line);
  // The previous key is free only once no bind of it is left.
  if (!previous.empty() && !stillBound(texts, previous)) {
    const std::string caption = state.captions[action];
    state.captions[action] = previous;
    releaseKey(state, action);
    state.captions[action] = caption;
  }
  state.usedKeys.emplace_back(key);
  eraseKey(state.freeKeys, key);
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
  removeBuyAliases(texts.working, key);
  removeBinds(texts.working, key);
  removeBinds(texts.working, oldKey);
}

void removeBuyKey(WizardTexts& texts, std::string_view key, bool autoexecMode) {
  removeBuyAliases(autoexecMode ? texts.autoexec : texts.working, key);
  removeBinds(texts.working, key);
}

std::size_t moveAliasesToAutoexec(WizardTexts& texts, std::size_t fromLine) {
  std::size_t moved = 0;
  for (;;) {
    const std::vector<ConsoleCommand> all = consoleCommands(texts.working.text());
    const auto c = std::find_if(all.begin(), all.end(), [&](const ConsoleCommand& x) {
      return x.line >= fromLine && isCommand(x, "alias");
    });
    if (c == all.end()) return moved;
    const std::string_view text = texts.working.text();
    texts.autoexec.appendLine(text.substr(static_cast<std::size_t>(c->start()),
                                          static_cast<std::size_t>(c->end() - c->start())));
    removeCommand(texts.working, *c);
    ++moved;
  }
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
