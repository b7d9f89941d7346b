#include "wizard/logic/WizardText.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "core/ConsoleScript.h"
#include "core/Text.h"
#include "editor/logic/ConsoleRun.h"

namespace brindle::wizard {
namespace {

std::string_view breakOf(LineEnd end) {
  switch (end) {
    case LineEnd::Lf:
      return "\n";
    case LineEnd::Cr:
      return "\r";
    case LineEnd::CrLf:
      break;
  }
  return core::kCrLf;
}

// The commonest line end of a file (CR LF when it has none, or on a tie).
LineEnd lineEndOf(std::string_view bytes) {
  std::size_t crlf = 0, lf = 0, cr = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r') {
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
        ++crlf;
        ++i;
      } else {
        ++cr;
      }
    } else if (bytes[i] == '\n') {
      ++lf;
    }
  }
  if (lf > crlf && lf >= cr) return LineEnd::Lf;
  if (cr > crlf && cr > lf) return LineEnd::Cr;
  return LineEnd::CrLf;
}

bool splitsUnquoted(char c) {
  return static_cast<unsigned char>(c) <= ' ' || c == ';' || c == '"' || c == '{' || c == '}' ||
         c == '(' || c == ')' || c == '\'' || c == ',' || c == ':';
}

// Whether a value needs quotes to reach the console as one word: an empty value, one with a
// character that splits an unquoted word, and one with "//", which starts a comment where a word
// starts (COM_Parse in rehlds/engine/common.cpp).
bool needsQuotes(std::string_view value) {
  return value.empty() || value.find("//") != std::string_view::npos ||
         std::any_of(value.begin(), value.end(), splitsUnquoted);
}

// A word that ends where the next begins whatever follows: a quoted word that is closed, or one
// of the characters the tokenizer takes as a word of its own ({ } ( ) ' , :).
bool endsOnItsOwn(const ConsoleWord& w) {
  if (w.quoted) return w.closed;
  return w.text.size() == 1 &&
         std::string_view("{}()',:").find(w.text[0]) != std::string_view::npos;
}
// A word that starts a new word whatever stands before it: one of { } ( ) ' , : (a quote glued
// to a word is part of that word).
bool startsOnItsOwn(const ConsoleWord& w) { return !w.quoted && endsOnItsOwn(w); }

// The words of every command of one line, as the console splits them (a line break ends every
// command, so a line is tokenized on its own).
std::vector<std::vector<std::string>> lineWords(std::string_view line, Offset replacedStart = -1,
                                                std::string_view replacement = {}) {
  std::vector<std::vector<std::string>> out;
  for (const ConsoleCommand& c : consoleCommands(line)) {
    auto& words = out.emplace_back();
    for (const ConsoleWord& w : c.words)
      words.push_back(w.start == replacedStart ? std::string(replacement) : w.text);
  }
  return out;
}

// Replaces `length` bytes at `from` of line `index` by `written` when the line then tokenizes to
// `expected`; false, with the text unchanged, when it would not.
bool replaceChecked(WizardText& text, std::size_t index, std::size_t from, std::size_t length,
                    std::string_view written,
                    const std::vector<std::vector<std::string>>& expected) {
  const Offset lineStart = text.lineOffset(index);
  std::string line = text.at(index);
  if (from + length > line.size()) return false;
  line.replace(from, length, written);
  if (lineWords(line) != expected) return false;
  text.replaceRange(lineStart + static_cast<Offset>(from), static_cast<Offset>(length), written);
  return true;
}

class Collector : public core::ScriptVisitor {
 public:
  explicit Collector(std::string_view text) : text_(text) {}
  void command(std::string_view script, const core::ScriptCommand& c) override {
    if (c.words.empty() || c.depth >= static_cast<int>(open_.size())) return;
    if (c.depth > 0 && open_[static_cast<std::size_t>(c.depth) - 1] == nullptr) return;
    // Lines are counted as the commands come, in order.
    const auto at = static_cast<std::size_t>(c.start);
    for (; scanned_ < at && scanned_ < text_.size(); ++scanned_)
      if (text_[scanned_] == '\n' || (text_[scanned_] == '\r' && (scanned_ + 1 >= text_.size() ||
                                                                  text_[scanned_ + 1] != '\n')))
        ++line_;
    ConsoleCommand out;
    out.line = line_;
    out.words.reserve(c.words.size());
    for (const core::ScriptWord& w : c.words)
      out.words.push_back({w.start, w.length, w.quoted, w.closed, std::string(w.text(script))});
    // A nested command belongs to the value of the command that holds it, which the scanner
    // visited just before; a new command at a depth closes every deeper one.
    auto& into = c.depth == 0 ? commands : open_[static_cast<std::size_t>(c.depth) - 1]->value;
    into.push_back(std::move(out));
    const auto depth = static_cast<std::size_t>(c.depth);
    open_[depth] = &into.back();
    for (std::size_t d = depth + 1; d < open_.size(); ++d) open_[d] = nullptr;
  }
  std::vector<ConsoleCommand> commands;

 private:
  std::array<ConsoleCommand*, core::ScriptScanner::kMaxDepth + 1> open_{};
  std::string_view text_;
  std::size_t scanned_ = 0;
  std::size_t line_ = 0;
};

}  // namespace

// ================================================================================ WizardText

void WizardText::loadFileText(std::string_view fileText) {
  lineEnd_ = lineEndOf(fileText);
  finalBreak_ = fileText.empty() || fileText.back() == '\n' || fileText.back() == '\r';
  std::string text = core::normalizeBreaks(fileText);
  if (text.size() >= 2 && text.ends_with(core::kCrLf)) text.resize(text.size() - 2);
  setText(text);
  setModified(false);
}

void WizardText::load(const std::vector<std::string>& lines) {
  lineEnd_ = LineEnd::CrLf;
  finalBreak_ = true;
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += core::kCrLf;
    text += lines[i];
  }
  setText(text);
  setModified(false);
}

std::string WizardText::fileText() const {
  if (text().empty()) return {};
  std::string out;
  const std::string_view br = breakOf(lineEnd_);
  const std::string& t = text();
  out.reserve(t.size() + 2);
  for (std::size_t start = 0;;) {
    const std::size_t at = t.find(core::kCrLf, start);
    out.append(t, start, at == std::string::npos ? std::string::npos : at - start);
    if (at == std::string::npos) break;
    out += br;
    start = at + 2;
  }
  if (finalBreak_) out += br;
  return out;
}

std::size_t WizardText::size() const {
  if (text().empty()) return 0;
  return static_cast<std::size_t>(lineCount());
}

std::string WizardText::at(std::size_t index) const { return line(static_cast<Offset>(index)); }

std::vector<std::string> WizardText::lines() const {
  if (text().empty()) return {};
  std::vector<std::string> out;
  const std::string& t = text();
  for (std::size_t start = 0;;) {
    const std::size_t at = t.find(core::kCrLf, start);
    out.emplace_back(t.substr(start, at == std::string::npos ? std::string::npos : at - start));
    if (at == std::string::npos) return out;
    start = at + 2;
  }
}

Offset WizardText::lineOffset(std::size_t index) const {
  if (index >= size()) return textLength();
  return core::lineSpan(text(), static_cast<Offset>(index)).start;
}

std::size_t WizardText::lineAt(Offset offset) const {
  const std::string& t = text();
  const auto end = static_cast<std::size_t>(std::clamp<Offset>(offset, 0, textLength()));
  std::size_t line = 0;
  for (std::size_t at = t.find(core::kCrLf); at != std::string::npos && at < end;
       at = t.find(core::kCrLf, at + 2))
    ++line;
  return line;
}

void WizardText::insertLine(std::size_t index, std::string_view line) {
  const std::size_t lines = size();
  if (lines == 0) {
    select(0, 0);
    replaceSel(line);
  } else if (index >= lines) {
    select(textLength(), 0);
    replaceSel(std::string(core::kCrLf) + std::string(line));
  } else {
    select(lineOffset(index), 0);
    replaceSel(std::string(line) + std::string(core::kCrLf));
  }
  select(lineOffset(std::min(index, size() - 1)), 0);
}

void WizardText::appendLine(std::string_view line) { insertLine(size(), line); }

void WizardText::eraseLine(std::size_t index) {
  if (index >= size()) return;
  if (size() == 1) {
    select(0, textLength());
    replaceSel({});
    return;
  }
  deleteLine(static_cast<Offset>(index));
}

void WizardText::clear() {
  if (empty()) return;
  select(0, textLength());
  replaceSel({});
}

void WizardText::replaceRange(Offset start, Offset length, std::string_view replacement) {
  select(start, length);
  replaceSel(replacement);
}

// ================================================================================ commands

std::string ConsoleCommand::script(std::string_view text) const {
  if (words.size() < 3) return {};
  if (words.size() == 3) return words[2].text;
  const Offset from = words[2].start;
  return std::string(
      text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(end() - from)));
}

std::vector<ConsoleCommand> consoleCommands(std::string_view text) {
  Collector collector(text);
  core::ScriptScanner().scan(text, collector);
  return std::move(collector.commands);
}

namespace {

// Hands the commands the console runs on, as the wizard's commands of the text: every command
// of a text and of an alias value is one of the text, found by where its first word starts.
class RunCollector : public editor::RunHandler {
 public:
  explicit RunCollector(const std::vector<ConsoleCommand>& commands) { index(commands); }
  void command(const editor::RanCommand& rc) override {
    const auto it = byStart_.find(rc.base + rc.command->words.front().start);
    if (it == byStart_.end()) return;  // deeper than the wizard keeps values
    // An alias's value runs right after the command of the text that ran it.
    if (rc.direct) line_ = it->second->line;
    out.push_back(RunCommand{it->second, line_, rc.direct});
  }
  std::vector<RunCommand> out;

 private:
  void index(const std::vector<ConsoleCommand>& commands) {
    for (const ConsoleCommand& c : commands) {
      byStart_.emplace(c.start(), &c);
      index(c.value);
    }
  }
  std::unordered_map<Offset, const ConsoleCommand*> byStart_;
  std::size_t line_ = 0;
};

template <typename Item, typename Command>
std::optional<SettingLine> findLast(const std::vector<Item>& items, Command commandOf,
                                    std::string_view name, bool setinfo) {
  for (std::size_t i = items.size(); i-- > 0;) {
    const auto [c, direct] = commandOf(items[i]);
    if (setinfo) {
      // Keys of the user info compare exactly (Info_ValueForKey uses a plain string compare).
      if (c->words.size() >= 3 && core::sameName(c->name(), "setinfo") && c->words[1].text == name)
        return SettingLine{c, 2, i, direct};
    } else if (c->words.size() >= 2 && core::sameName(c->name(), name)) {
      return SettingLine{c, 1, i, direct};
    }
  }
  return std::nullopt;
}

std::pair<const ConsoleCommand*, bool> ofCommand(const ConsoleCommand& c) { return {&c, true}; }
std::pair<const ConsoleCommand*, bool> ofRun(const RunCommand& r) { return {r.command, r.direct}; }

}  // namespace

std::vector<RunCommand> runOrder(const std::vector<ConsoleCommand>& commands) {
  // The console's own runner: commands in the engine's order, alias values right where they
  // run, with its command budget; no exec is followed. It reads a text: the commands' words put
  // back where they stood (a quoted word holds the values of aliases and binds whole), a line
  // break before each command.
  std::string text;
  for (const ConsoleCommand& c : commands) {
    const auto start = static_cast<std::size_t>(c.start());
    const auto end = static_cast<std::size_t>(c.end());
    if (text.size() < end + 1) text.resize(end + 1, ' ');
    if (start > 0) text[start - 1] = '\n';
    for (const ConsoleWord& w : c.words) {
      std::string raw = w.quoted ? "\"" + w.text + (w.closed ? "\"" : "") : w.text;
      raw.resize(static_cast<std::size_t>(w.length), ' ');
      text.replace(static_cast<std::size_t>(w.start), raw.size(), raw);
    }
  }
  RunCollector collector(commands);
  editor::ConsoleRunner runner(nullptr, collector);
  runner.runText("", text);
  return std::move(collector.out);
}

std::optional<SettingLine> lastSetting(const std::vector<ConsoleCommand>& commands,
                                       std::string_view name) {
  return findLast(commands, ofCommand, name, false);
}
std::optional<SettingLine> lastSetinfo(const std::vector<ConsoleCommand>& commands,
                                       std::string_view key) {
  return findLast(commands, ofCommand, key, true);
}
std::optional<SettingLine> lastSetting(const std::vector<RunCommand>& run, std::string_view name) {
  return findLast(run, ofRun, name, false);
}
std::optional<SettingLine> lastSetinfo(const std::vector<RunCommand>& run, std::string_view key) {
  return findLast(run, ofRun, key, true);
}

bool rewriteValue(WizardText& text, const SettingLine& setting, std::string_view value) {
  const ConsoleCommand& command = *setting.command;
  const ConsoleWord& word = setting.value();
  const bool quote = word.quoted || needsQuotes(value);
  std::string written = quote ? "\"" + std::string(value) + "\"" : std::string(value);
  // The words around the value stay apart: a blank goes between the value and a neighbour it
  // touches where the two would otherwise run into one word ("sensitivity:2" set to 3 is
  // "sensitivity 3 2", not "sensitivity32").
  if (setting.valueWord > 0) {
    const ConsoleWord& before = command.words[setting.valueWord - 1];
    if (before.start + before.length == word.start && !endsOnItsOwn(before))
      written.insert(0, 1, ' ');
  }
  if (setting.valueWord + 1 < command.words.size()) {
    const ConsoleWord& after = command.words[setting.valueWord + 1];
    if (after.start == word.start + word.length && !quote && !startsOnItsOwn(after)) written += ' ';
  }
  const std::size_t index = command.line;
  const auto lineStart = text.lineOffset(index);
  const auto from = static_cast<std::size_t>(word.start - lineStart);
  return replaceChecked(text, index, from, static_cast<std::size_t>(word.length), written,
                        lineWords(text.at(index), word.start - lineStart, value));
}

void removeCommand(WizardText& text, const ConsoleCommand& command, bool keepLine) {
  const std::size_t index = command.line;
  const Offset lineStart = text.lineOffset(index);
  const std::string line = text.at(index);
  auto from = static_cast<std::size_t>(command.start() - lineStart);
  auto to = static_cast<std::size_t>(command.end() - lineStart);
  // Take the ';' after the command (and the blanks up to it), else the one before it.
  std::size_t after = to;
  while (after < line.size() && (line[after] == ' ' || line[after] == '\t')) ++after;
  if (after < line.size() && line[after] == ';') {
    to = after + 1;
    while (to < line.size() && (line[to] == ' ' || line[to] == '\t')) ++to;
  } else {
    std::size_t before = from;
    while (before > 0 && (line[before - 1] == ' ' || line[before - 1] == '\t')) --before;
    if (before > 0 && line[before - 1] == ';') from = before - 1;
  }
  std::string rest = line.substr(0, from) + line.substr(to);
  if (rest.find_first_not_of(" \t;") == std::string::npos) {
    if (!keepLine) return text.eraseLine(index);
    rest.clear();
  }
  text.replaceRange(lineStart, static_cast<Offset>(line.size()), rest);
}

bool replaceCommand(WizardText& text, const ConsoleCommand& command, std::string_view replacement) {
  const std::size_t index = command.line;
  const Offset lineStart = text.lineOffset(index);
  const std::string line = text.at(index);
  const auto from = static_cast<std::size_t>(command.start() - lineStart);
  const auto to = static_cast<std::size_t>(command.end() - lineStart);
  // What the line holds afterwards: its other commands as they were, this one as the
  // replacement tokenizes.
  std::vector<std::vector<std::string>> expected;
  for (const ConsoleCommand& c : consoleCommands(line)) {
    if (c.start() + lineStart != command.start()) {
      auto& words = expected.emplace_back();
      for (const ConsoleWord& w : c.words) words.push_back(w.text);
      continue;
    }
    for (auto& words : lineWords(replacement)) expected.push_back(std::move(words));
  }
  std::string written(replacement);
  // A comment glued to the command's last quoted word stays a comment after an unquoted end.
  if (to < line.size() && line[to] != ';' && static_cast<unsigned char>(line[to]) > ' ' &&
      !written.empty() && written.back() != '"')
    written += ' ';
  return replaceChecked(text, index, from, to - from, written, expected);
}

// ================================================================================ key scans

std::string WizardTexts::readBoundKey(std::string_view suffix) const {
  if (suffix.empty()) return {};
  for (const std::string& l : working.lines()) {
    for (std::size_t at = l.find(suffix); at != std::string::npos;
         at = l.find(suffix, at + suffix.size())) {
      if (at == 0) continue;
      const std::size_t quote = l.rfind('"', at - 1);
      if (quote == std::string::npos || quote + 1 == at) continue;
      return l.substr(quote + 1, at - quote - 1);
    }
  }
  return {};
}

void WizardTexts::collectUsedKeys(std::string_view prefix, std::vector<std::string>& freeKeys,
                                  std::vector<std::string>& usedKeys) const {
  if (prefix.empty()) return;
  for (const std::string& l : working.lines()) {
    std::size_t from = 0;
    for (std::size_t at = l.find(prefix, from); at != std::string::npos;
         at = l.find(prefix, from)) {
      const std::size_t start = at + prefix.size();
      std::size_t end = l.find_first_of("\" ", start);
      if (end == std::string::npos) end = l.size();
      const std::string key = l.substr(start, end - start);
      const auto entry = std::find_if(freeKeys.begin(), freeKeys.end(),
                                      [&](const std::string& e) { return core::sameName(e, key); });
      if (entry != freeKeys.end()) {
        freeKeys.erase(entry);
        usedKeys.push_back(key);
      }
      from = std::max(end, start);
    }
  }
}

}  // namespace brindle::wizard
