#include "wizard/logic/WizardText.h"

#include <algorithm>

#include "core/Text.h"

namespace brindle::wizard {
namespace {

constexpr std::size_t kBreak = 2;  // CR LF

bool isWordChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string mapped(std::string_view s, char (*f)(char)) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), f);
  return out;
}

// Splits a whole text at its CR LF breaks: "" gives no lines, "a\r\n" gives "a" and "".
std::vector<std::string> splitWhole(std::string_view text) {
  std::vector<std::string> lines;
  if (text.empty()) return lines;
  const std::string normal = core::normalizeBreaks(text);
  std::size_t start = 0;
  for (;;) {
    const std::size_t br = normal.find(core::kCrLf, start);
    if (br == std::string::npos) {
      lines.emplace_back(normal.substr(start));
      return lines;
    }
    lines.emplace_back(normal.substr(start, br - start));
    start = br + kBreak;
  }
}

}  // namespace

// ================================================================================ WizardText

WizardText::WizardText(std::vector<std::string> lines) : lines_(std::move(lines)) {}

void WizardText::loadFileText(std::string_view fileText) { load(core::splitLines(fileText)); }

void WizardText::load(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  selStart_ = 0;
  selLength_ = 0;
  modified_ = false;
}

std::string WizardText::fileText() const { return core::joinLines(lines_); }

void WizardText::caretToLine(std::size_t index) {
  selStart_ = lineOffset(index);
  if (index >= lines_.size()) selStart_ = textLength();
  selLength_ = 0;
}

void WizardText::insertLine(std::size_t index, std::string line) {
  index = std::min(index, lines_.size());
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
  modified_ = true;
  caretToLine(index);
}

void WizardText::appendLine(std::string line) { insertLine(lines_.size(), std::move(line)); }

void WizardText::replaceLine(std::size_t index, std::string line) {
  if (index >= lines_.size()) return;
  if (lines_[index] != line) {
    lines_[index] = std::move(line);
    modified_ = true;
  }
  caretToLine(index);
}

void WizardText::eraseLine(std::size_t index) {
  if (index >= lines_.size()) return;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
  modified_ = true;
  caretToLine(index);
}

void WizardText::clear() {
  if (!lines_.empty()) modified_ = true;
  lines_.clear();
  selStart_ = 0;
  selLength_ = 0;
}

Offset WizardText::lineOffset(std::size_t index) const {
  std::size_t offset = 0;
  const std::size_t n = std::min(index, lines_.size());
  for (std::size_t i = 0; i < n; ++i) offset += lines_[i].size() + kBreak;
  if (index >= lines_.size() && !lines_.empty()) offset -= kBreak;  // no break after the last line
  return static_cast<Offset>(offset);
}

std::size_t WizardText::lineAt(Offset offset) const {
  if (lines_.empty() || offset <= 0) return 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const std::size_t end = start + lines_[i].size();
    if (static_cast<std::size_t>(offset) <= end) return i;
    start = end + kBreak;
  }
  return lines_.size() - 1;
}

std::string WizardText::getText() const {
  std::string out;
  out.reserve(static_cast<std::size_t>(textLength()));
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i > 0) out += core::kCrLf;
    out += lines_[i];
  }
  return out;
}

void WizardText::setText(std::string_view text) {
  lines_ = splitWhole(text);
  selStart_ = 0;
  selLength_ = 0;
  modified_ = true;
}

Offset WizardText::textLength() const { return lineOffset(lines_.size()); }

void WizardText::setSelStart(Offset start) {
  selStart_ = std::clamp<Offset>(start, 0, textLength());
  selLength_ = 0;
}

void WizardText::setSelLength(Offset length) {
  selLength_ = std::clamp<Offset>(length, 0, textLength() - selStart_);
}

void WizardText::replaceSel(std::string_view text) {
  std::string whole = getText();
  const std::string inserted = core::normalizeBreaks(text);
  whole.replace(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_),
                inserted);
  const Offset caret = selStart_ + static_cast<Offset>(inserted.size());
  setText(whole);
  selStart_ = caret;
}

std::string WizardText::line(Offset index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= lines_.size()) return {};
  return lines_[static_cast<std::size_t>(index)];
}

void WizardText::putLine(Offset index, std::string_view text) {
  if (index < 0 || static_cast<std::size_t>(index) >= lines_.size()) return;
  if (text.find_first_of("\r\n") == std::string_view::npos) {
    replaceLine(static_cast<std::size_t>(index), std::string(text));
    selStart_ += static_cast<Offset>(text.size());
    return;
  }
  core::TextBuffer::putLine(index, text);
}

void WizardText::deleteLine(Offset index) {
  if (index >= 0) eraseLine(static_cast<std::size_t>(index));
}

Offset WizardText::findText(std::string_view what, Offset start, Offset length) const {
  const Offset total = textLength();
  if (what.empty() || start < 0 || start > total) return -1;
  Offset found = -1;
  if (what.find_first_of("\r\n") != std::string_view::npos) {
    const std::string whole = getText();
    const auto at = whole.find(what, static_cast<std::size_t>(start));
    if (at != std::string::npos) found = static_cast<Offset>(at);
  } else {
    std::size_t i = lineAt(start);
    Offset lineStart = lineOffset(i);
    std::size_t column = static_cast<std::size_t>(std::max<Offset>(0, start - lineStart));
    for (; i < lines_.size(); ++i, column = 0) {
      const auto at = lines_[i].find(what, column);
      if (at != std::string::npos) {
        found = lineStart + static_cast<Offset>(at);
        break;
      }
      lineStart += static_cast<Offset>(lines_[i].size() + kBreak);
    }
  }
  if (found == -1 || found > start + length) return -1;
  return found;
}

// ================================================================================ matching

bool findSettingLine(const WizardText& text, std::string_view prefix, LineMatch& match) {
  if (prefix.empty()) return false;
  const bool wordEnd = isWordChar(prefix.back());
  const auto& lines = text.lines();
  for (std::size_t i = lines.size(); i-- > 0;) {
    const std::string& l = lines[i];
    const std::size_t c = l.find_first_not_of(" \t");
    if (c == std::string::npos || l.compare(c, prefix.size(), prefix) != 0) continue;
    const std::size_t after = c + prefix.size();
    if (wordEnd && after < l.size() && isWordChar(l[after])) continue;
    match = LineMatch{i, c};
    return true;
  }
  return false;
}

std::string_view valueAfter(std::string_view line, std::size_t valueStart, bool* closed) {
  valueStart = std::min(valueStart, line.size());
  const std::size_t quote = line.find('"', valueStart);
  if (closed) *closed = quote != std::string_view::npos;
  if (quote == std::string_view::npos) return {};
  return line.substr(valueStart, quote - valueStart);
}

int radioChoice(std::string_view found, bool threeWay) {
  if (found == "0") return 0;
  if (found == "1") return 1;
  if (threeWay && found == "2") return 2;
  return -1;
}

// ================================================================================ primitives

Offset WizardTexts::findNext(WizardText& text) {
  const Offset start = text.selLength() != 0 ? text.selStart() + text.selLength() : 0;
  lastMatch = text.findText(searchText, start, text.textLength() - start);
  if (lastMatch != -1) text.select(lastMatch, static_cast<Offset>(searchText.size()));
  return lastMatch;
}

const std::string& WizardTexts::find(WizardText& text, std::string_view prefix, LineMatch* match) {
  searchText = prefix;
  foundText.clear();
  text.select(0, 0);
  LineMatch m;
  if (!findSettingLine(text, prefix, m)) {
    lastMatch = -1;
    return foundText;
  }
  lastMatch = text.lineOffset(m.line) + static_cast<Offset>(m.column);
  text.select(lastMatch, static_cast<Offset>(prefix.size()));
  *match = m;
  return foundText;
}

const std::string& WizardTexts::readValue(std::string_view prefix) {
  LineMatch m;
  find(working, prefix, &m);
  if (lastMatch == -1) return foundText;
  matchLine = static_cast<std::ptrdiff_t>(m.line);
  if (prefix.find('"') == std::string_view::npos) {
    foundText = prefix;  // a bare command word, selected by find()
    return foundText;
  }
  const std::string& l = working.at(m.line);
  const std::size_t valueStart = m.column + prefix.size();
  foundText = valueAfter(l, valueStart);
  working.select(lastMatch + static_cast<Offset>(prefix.size()),
                 static_cast<Offset>(foundText.size()));
  return foundText;
}

const std::string& WizardTexts::findInAutoexec(std::string_view text) {
  LineMatch m;
  find(autoexec, text, &m);
  if (lastMatch != -1) foundText = "1";
  return foundText;
}

const std::string& WizardTexts::readBoundKey(std::string_view suffix) {
  searchText = suffix;
  foundText.clear();
  lastMatch = -1;
  working.select(0, 0);
  if (suffix.empty()) return foundText;
  Offset lineStart = 0;
  for (const std::string& l : working.lines()) {
    for (std::size_t at = l.find(suffix); at != std::string::npos;
         at = l.find(suffix, at + suffix.size())) {
      if (at == 0) continue;
      const std::size_t quote = l.rfind('"', at - 1);
      if (quote == std::string::npos || quote + 1 == at) continue;
      foundText = l.substr(quote + 1, at - quote - 1);
      lastMatch = lineStart + static_cast<Offset>(at);
      working.select(lineStart + static_cast<Offset>(quote + 1),
                     static_cast<Offset>(foundText.size()));
      return foundText;
    }
    lineStart += static_cast<Offset>(l.size() + kBreak);
  }
  return foundText;
}

void WizardTexts::collectUsedKeys(std::string_view prefix, std::vector<std::string>& freeKeys,
                                  std::vector<std::string>& usedKeys) {
  searchText = prefix;
  working.select(0, 0);
  if (prefix.empty()) return;
  Offset lineStart = 0;
  Offset keyStart = -1;
  std::size_t keyLength = 0;
  for (const std::string& l : working.lines()) {
    std::size_t from = 0;
    for (std::size_t at = l.find(prefix, from); at != std::string::npos;
         at = l.find(prefix, from)) {
      const std::size_t start = at + prefix.size();
      std::size_t end = l.find_first_of("\" ", start);
      if (end == std::string::npos) end = l.size();
      const std::string key = l.substr(start, end - start);
      keyStart = lineStart + static_cast<Offset>(start);
      keyLength = key.size();
      const std::string up = mapped(key, upper);
      const std::string low = mapped(key, lower);
      const auto entry = std::find_if(freeKeys.begin(), freeKeys.end(), [&](const std::string& e) {
        return e == key || e == up || e == low;
      });
      if (entry != freeKeys.end()) {
        freeKeys.erase(entry);
        usedKeys.push_back(key);
      }
      from = std::max(end, start);
    }
    lineStart += static_cast<Offset>(l.size() + kBreak);
  }
  if (keyStart != -1) working.select(keyStart, static_cast<Offset>(keyLength));
  lastMatch = -1;  // the search ran until it found nothing more
}

void WizardTexts::deleteMatchLine(WizardText& text) {
  if (text.empty()) return;
  text.eraseLine(text.lineAt(text.selStart() + text.selLength()));
}

bool WizardTexts::replaceOrAppend(std::string_view prefix, std::string_view value, bool noAppend) {
  LineMatch m;
  find(working, prefix, &m);
  if (lastMatch == -1) {
    replaced = false;
    if (!noAppend) {
      working.appendLine(wholeLineMode ? std::string(value)
                                       : std::string(prefix) + std::string(value) + '"');
      matchLine = static_cast<std::ptrdiff_t>(working.size() - 1);
    }
    return replaced;
  }
  matchLine = static_cast<std::ptrdiff_t>(m.line);
  const std::string& l = working.at(m.line);
  if (wholeLineMode) {
    if (l.size() >= minLineLength && l.size() <= maxLineLength) {
      working.replaceLine(m.line, std::string(value));
      replaced = true;
    } else if (!noAppend) {
      working.appendLine(std::string(value));
      matchLine = static_cast<std::ptrdiff_t>(working.size() - 1);
      replaced = true;
    } else {
      replaced = false;
    }
    return replaced;
  }
  const std::size_t valueStart = m.column + prefix.size();
  bool closed = false;
  const std::string_view old = valueAfter(l, valueStart, &closed);
  std::string changed = l;
  if (closed)
    changed.replace(valueStart, old.size(), value);
  else
    changed = l.substr(0, valueStart) + std::string(value) + '"';
  working.replaceLine(m.line, std::move(changed));
  working.select(working.lineOffset(m.line) + static_cast<Offset>(valueStart),
                 static_cast<Offset>(value.size()));
  replaced = true;
  return replaced;
}

}  // namespace brindle::wizard
