#include "core/ConsoleScript.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>
#include <unordered_map>

#include "core/Text.h"

namespace brindle::core {

namespace {

// Cmd_TokenizeString and COM_Parse skip every byte up to the space between words.
inline bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// COM_Parse hands these out as words of one character.
inline bool isSingle(char c) {
  return c == '{' || c == '}' || c == '(' || c == ')' || c == '\'' || c == ',' || c == ':';
}

inline std::size_t at(Offset o) { return static_cast<std::size_t>(o); }

// Whether any of the eight bytes of `x` is `b`.
inline bool hasByte(std::uint64_t x, unsigned char b) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  const std::uint64_t y = x ^ (kOnes * b);
  return ((y - kOnes) & ~y & (kOnes * 0x80)) != 0;
}

}  // namespace

// ---------------------------------------------------------------- names

std::size_t NoCaseHash::operator()(std::string_view s) const noexcept {
  std::size_t h = 14695981039346656037ull;
  for (const char c : s) {
    h ^= static_cast<unsigned char>(asciiLower(c));
    h *= 1099511628211ull;
  }
  return h;
}

bool NoCaseEqual::operator()(std::string_view a, std::string_view b) const noexcept {
  return sameName(a, b);
}

// ---------------------------------------------------------------- values

namespace {

bool isDigitChar(char c) { return c >= '0' && c <= '9'; }

// The number at the start of a text as atof reads it (blanks, a sign, digits with a point, an
// exponent; the rest ignored). Nothing when no digit starts it.
std::optional<double> leadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t begin = i;
  while (i < text.size() && isDigitChar(text[i])) ++i;
  bool digits = i > begin;
  if (i < text.size() && text[i] == '.') {
    ++i;
    const std::size_t fraction = i;
    while (i < text.size() && isDigitChar(text[i])) ++i;
    digits = digits || i > fraction;
  }
  if (!digits) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && isDigitChar(text[j])) {
      while (j < text.size() && isDigitChar(text[j])) ++j;
      i = j;
    }
  }
  double value = 0;
  const std::string number(text.substr(begin, i - begin));
  const auto parsed = std::from_chars(number.data(), number.data() + number.size(), value);
  if (parsed.ec != std::errc()) return std::nullopt;
  return negative ? -value : value;
}

// A whole text that is a number, for list items.
std::optional<double> wholeNumber(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const char first = text.front();
  if (!isDigitChar(first) && first != '-' && first != '+' && first != '.') return std::nullopt;
  for (const char c : text)
    if (!isDigitChar(c) && c != '.' && c != '-' && c != '+' && c != 'e' && c != 'E')
      return std::nullopt;
  return leadingNumber(text);
}

std::string numberText(double v) {
  char buffer[32];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, written.ptr);
}

}  // namespace

ValueRule ValueRule::parse(std::string_view text) {
  ValueRule rule;
  if (text.empty()) return rule;
  const auto dots = text.find("..");
  if (dots != std::string_view::npos) {
    const std::string_view low = text.substr(0, dots);
    const std::string_view high = text.substr(dots + 2);
    const auto min = low.empty() ? std::nullopt : wholeNumber(low);
    const auto max = high.empty() ? std::nullopt : wholeNumber(high);
    if ((!low.empty() && !min) || (!high.empty() && !max) || (!min && !max)) return rule;
    rule.kind = Kind::Range;
    rule.hasMin = min.has_value();
    rule.hasMax = max.has_value();
    rule.min = min.value_or(0);
    rule.max = max.value_or(0);
    return rule;
  }
  std::size_t from = 0;
  while (from <= text.size()) {
    const auto bar = std::min(text.find('|', from), text.size());
    if (bar > from) rule.items.emplace_back(text.substr(from, bar - from));
    from = bar + 1;
  }
  if (!rule.items.empty()) rule.kind = Kind::List;
  return rule;
}

bool ValueRule::accepts(std::string_view value) const {
  switch (kind) {
    case Kind::None:
      return true;
    case Kind::Range: {
      const auto v = leadingNumber(value);
      if (!v) return false;
      return (!hasMin || *v >= min) && (!hasMax || *v <= max);
    }
    case Kind::List: {
      const auto number = wholeNumber(value);
      for (const std::string& item : items) {
        if (sameName(item, value)) return true;
        if (number) {
          const auto other = wholeNumber(item);
          if (other && *other == *number) return true;
        }
      }
      return false;
    }
  }
  return true;
}

std::string ValueRule::describe() const {
  switch (kind) {
    case Kind::None:
      return {};
    case Kind::Range:
      if (hasMin && hasMax) return "от " + numberText(min) + " до " + numberText(max);
      if (hasMin) return "не меньше " + numberText(min);
      return "не больше " + numberText(max);
    case Kind::List: {
      std::string out = "одно из: ";
      for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out += ", ";
        out += items[i];
      }
      return out;
    }
  }
  return {};
}

// ---------------------------------------------------------------- vocabulary

namespace {

WordSide joinSides(WordSide a, WordSide b) {
  if (a == WordSide::Unknown) return b;
  if (b == WordSide::Unknown || a == b) return a;
  return WordSide::Both;
}

}  // namespace

Vocabulary::Vocabulary(const KnownWords& words) {
  std::unordered_map<std::string, Name, NoCaseHash, NoCaseEqual> names;
  names.reserve(words.commands.size() + words.variables.size() + words.base.size());
  auto add = [&names](const std::string& name, std::uint8_t flag) -> Name* {
    if (name.empty()) return nullptr;
    Name& n = names[name];
    if (n.name.empty()) n.name = name;
    n.flags |= flag;
    return &n;
  };
  for (const auto& c : words.commands) add(c, kCommand);
  for (const auto& v : words.variables) add(v, kVariable);
  infos_.reserve(words.base.size());
  for (const WordInfo& w : words.base) {
    const auto flag =
        static_cast<std::uint8_t>((w.command ? kCommand : 0) | (w.variable ? kVariable : 0));
    Name* n = add(w.name, flag);
    if (n == nullptr) continue;
    n->side = joinSides(n->side, w.side);
    if (n->info < 0) {
      n->info = static_cast<std::int32_t>(infos_.size());
      infos_.push_back(w);
    }
  }
  for (const auto& k : words.keyNames) {
    if (k.size() == 1)
      singleKeys_[static_cast<unsigned char>(k[0])] = true;
    else if (!k.empty())
      longKeys_.insert(k);
  }
  entries_.reserve(names.size());
  for (const auto& [name, n] : names)
    entries_.push_back({n.name, (n.flags & kCommand) ? Kind::Command : Kind::Variable, n.side});

  std::size_t size = 16;
  while (size < names.size() * 2) size *= 2;
  table_.assign(size, Slot{});
  mask_ = size - 1;
  keys_.reserve(names.size());
  for (auto& [name, n] : names) {
    const std::uint64_t h = hashOf(n.name);
    keys_.push_back(std::move(n));
    std::size_t i = static_cast<std::size_t>(h) & mask_;
    while (table_[i].key != 0) i = (i + 1) & mask_;
    table_[i] = {static_cast<std::uint32_t>(h >> 32), static_cast<std::uint32_t>(keys_.size())};
  }
  std::sort(entries_.begin(), entries_.end(),
            [](const Entry& a, const Entry& b) { return asciiLessNoCase(a.name, b.name); });
}

std::uint64_t Vocabulary::hashOf(std::string_view name) {
  // Folding every byte with 0x20 makes letters of both cases hash alike; the few other bytes it
  // merges only share a slot chain, the comparison tells them apart.
  std::uint64_t h = 14695981039346656037ull;
  for (const char c : name) {
    h ^= static_cast<unsigned char>(c) | 0x20u;
    h *= 1099511628211ull;
  }
  return h ^ (h >> 29);
}

const Vocabulary::Name* Vocabulary::find(std::string_view name) const {
  if (table_.empty()) return nullptr;
  const std::uint64_t h = hashOf(name);
  const auto tag = static_cast<std::uint32_t>(h >> 32);
  for (std::size_t i = static_cast<std::size_t>(h) & mask_;; i = (i + 1) & mask_) {
    const Slot& slot = table_[i];
    if (slot.key == 0) return nullptr;
    if (slot.hash == tag) {
      const Name& key = keys_[slot.key - 1];
      if (sameName(key.name, name)) return &key;
    }
  }
}

Vocabulary::Known Vocabulary::lookup(std::string_view name) const {
  const Name* n = find(name);
  if (n == nullptr) return {};
  return {(n->flags & kCommand) != 0, (n->flags & kVariable) != 0, n->side,
          n->info < 0 ? nullptr : &infos_[static_cast<std::size_t>(n->info)]};
}

bool Vocabulary::isCommand(std::string_view name) const {
  const Name* n = find(name);
  return n != nullptr && (n->flags & kCommand) != 0;
}

bool Vocabulary::isVariable(std::string_view name) const {
  const Name* n = find(name);
  return n != nullptr && (n->flags & kVariable) != 0;
}

bool Vocabulary::isKeyName(std::string_view key) const {
  if (key.size() == 1) return singleKeys_[static_cast<unsigned char>(key[0])];
  return !key.empty() && longKeys_.find(key) != longKeys_.end();
}

bool Vocabulary::isEngineKey(std::string_view key) const { return isKeyName(key); }

bool Vocabulary::bindsKey(std::string_view key) const {
  if (key.size() == 1) {
    // Codes from 0x80 are negative chars in the engine and index no key.
    const auto c = static_cast<unsigned char>(key[0]);
    return c > 0 && c < 0x80;
  }
  return isKeyName(key);
}

std::string keySpelling(std::string_view name) {
  if (name.size() == 1) {
    switch (name[0]) {
      case ';':
        return "SEMICOLON";
      case ' ':
        return "SPACE";
      case '\t':
        return "TAB";
      case '\r':
        return "ENTER";
      case '\x1b':
        return "ESCAPE";
      default:
        return std::string(name);
    }
  }
  return asciiUpper(name);
}

std::string Vocabulary::originName(std::string_view origin) {
  static constexpr std::pair<std::string_view, std::string_view> kNames[] = {
      {"engine", "движок игры"}, {"client", "клиент игры"},     {"game", "Counter-Strike 1.6"},
      {"rehlds", "ReHLDS"},      {"regamedll", "ReGameDLL_CS"}, {"metamod", "Metamod"},
      {"amxmodx", "AMX Mod X"}};
  for (const auto& [id, text] : kNames)
    if (id == origin) return std::string(text);
  if (origin.substr(0, 7) == "plugin:") return "плагин " + std::string(origin.substr(7));
  return std::string(origin);
}

std::string Vocabulary::originText(const WordInfo& info) {
  std::string kind = info.command && !info.variable ? "команда" : "переменная";
  const std::string_view origin = info.origin;
  // Add-ons run on the server only: their own name says where the word works.
  if (origin == "metamod" || origin == "amxmodx") return kind + " " + originName(origin);
  if (origin.substr(0, 7) == "plugin:") return kind + " плагина " + std::string(origin.substr(7));
  switch (info.side) {
    case WordSide::Client:
      kind += " клиента";
      break;
    case WordSide::Server:
      kind += " сервера";
      break;
    case WordSide::Both:
    case WordSide::Unknown:
      break;
  }
  return kind + ", " + originName(origin);
}

// ---------------------------------------------------------------- scanning

void ScriptScanner::scan(std::string_view text, ScriptVisitor& visitor) {
  // A UTF-8 byte-order mark at the start is no command: Cmd_Exec_f skips it before the text runs
  // ("if (configContents[0] == char(0xEF) && configContents[1] == char(0xBB) && ...", the
  // REHLDS_FIXES block of rehlds/engine/cmd.cpp).
  const Offset pos = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
  scanLines(text, pos, static_cast<Offset>(text.size()), visitor);
}

void ScriptScanner::scanLines(std::string_view text, Offset from, Offset to,
                              ScriptVisitor& visitor) {
  const Offset n = std::min(to, static_cast<Offset>(text.size()));
  Offset pos = from;
  while (true) {
    Offset lineEnd = pos;
    while (lineEnd + 8 <= n) {  // eight bytes at a time while none breaks the line
      std::uint64_t chunk;
      std::memcpy(&chunk, text.data() + lineEnd, 8);
      if (hasByte(chunk, '\n') || hasByte(chunk, '\r')) break;
      lineEnd += 8;
    }
    while (lineEnd < n && text[at(lineEnd)] != '\n' && text[at(lineEnd)] != '\r') ++lineEnd;
    scanRange(text, pos, lineEnd, 0, nullptr, visitor);
    if (lineEnd >= n) break;
    const bool crlf = text[at(lineEnd)] == '\r' && lineEnd + 1 < n && text[at(lineEnd + 1)] == '\n';
    pos = lineEnd + (crlf ? 2 : 1);
  }
}

void ScriptScanner::scanRange(std::string_view text, Offset from, Offset to, int depth,
                              const ScriptCommand* parent, ScriptVisitor& visitor) {
  bool inQuotes = false;
  Offset afterComment = -1;
  Offset start = from;
  for (Offset i = from; i < to; ++i) {
    // Eight bytes at a time while none of them is a quote or a ';'.
    while (i + 8 <= to) {
      std::uint64_t chunk;
      std::memcpy(&chunk, text.data() + i, 8);
      if (hasByte(chunk, '"') || hasByte(chunk, ';')) break;
      i += 8;
    }
    if (i >= to) break;
    const char c = text[at(i)];
    if (c == '"') {
      inQuotes = !inQuotes;
    } else if (c == ';' && !inQuotes) {
      const Offset comment = scanCommand(text, start, i, depth, afterComment, parent, visitor);
      if (afterComment < 0) afterComment = comment;
      start = i + 1;
    }
  }
  scanCommand(text, start, to, depth, afterComment, parent, visitor);
}

Offset ScriptScanner::scanCommand(std::string_view text, Offset from, Offset to, int depth,
                                  Offset afterComment, const ScriptCommand* parent,
                                  ScriptVisitor& visitor) {
  auto& words = words_[static_cast<std::size_t>(depth)];
  words.clear();
  Offset comment = -1;
  Offset i = from;
  while (true) {
    while (i < to && isBlank(text[at(i)])) ++i;
    if (i >= to) break;
    const char c = text[at(i)];
    if (c == '/' && i + 1 < to && text[at(i + 1)] == '/') {
      comment = i;
      break;
    }
    if (c == '"') {
      Offset j = i + 1;
      while (j < to && text[at(j)] != '"') ++j;
      const bool closed = j < to;
      const Offset end = closed ? j + 1 : to;
      words.push_back({i, end - i, true, closed});
      i = end;
      continue;
    }
    if (isSingle(c)) {
      words.push_back({i, 1, false, true});
      ++i;
      continue;
    }
    Offset j = i + 1;
    while (j < to && !isBlank(text[at(j)]) && !isSingle(text[at(j)])) ++j;
    words.push_back({i, j - i, false, true});
    i = j;
  }

  ScriptCommand command;
  command.start = from;
  command.end = to;
  command.depth = depth;
  command.words = std::span<const ScriptWord>(words.data(), words.size());
  command.commentStart = comment;
  command.afterComment = afterComment;
  command.parent = parent;
  visitor.command(text, command);

  if (depth < kMaxDepth) {
    const ScriptRange nested = nestedScript(text, command);
    if (nested.present) scanRange(text, nested.start, nested.end, depth + 1, &command, visitor);
  }
  return comment;
}

ScriptRange nestedScript(std::string_view script, const ScriptCommand& command) {
  const auto words = command.words;
  if (words.size() < 3) return {};
  const std::string_view name = words[0].text(script);
  if (!sameName(name, "alias") && !sameName(name, "bind")) return {};
  if (words.size() == 3 && words[2].quoted)
    return {true, words[2].textStart(), words[2].textStart() + words[2].textLength()};
  return {true, words[2].start, words.back().end()};
}

// ---------------------------------------------------------------- kinds

namespace {

TokenKind commandWordKind(std::string_view name, const Vocabulary& vocabulary,
                          const NameSet* aliases) {
  if (name.empty()) return TokenKind::Unknown;
  if (vocabulary.isCommand(name))
    return (name[0] == '+' || name[0] == '-') ? TokenKind::Action : TokenKind::Command;
  if (aliases && aliases->find(name) != aliases->end()) return TokenKind::AliasName;
  if (vocabulary.isVariable(name)) return TokenKind::Variable;
  return TokenKind::Unknown;
}

class TokenCollector : public ScriptVisitor {
 public:
  TokenCollector(const Vocabulary& vocabulary, const NameSet* aliases,
                 std::vector<ScriptToken>& out)
      : vocabulary_(vocabulary), aliases_(aliases), out_(out) {}
  void command(std::string_view script, const ScriptCommand& command) override {
    classifyCommand(script, command, vocabulary_, aliases_, out_);
  }

 private:
  const Vocabulary& vocabulary_;
  const NameSet* aliases_;
  std::vector<ScriptToken>& out_;
};

}  // namespace

void classifyCommand(std::string_view script, const ScriptCommand& command,
                     const Vocabulary& vocabulary, const NameSet* aliases,
                     std::vector<ScriptToken>& out) {
  const auto words = command.words;
  if (!words.empty()) {
    const std::string_view name = words[0].text(script);
    out.push_back({words[0].start, words[0].length, commandWordKind(name, vocabulary, aliases),
                   words[0].quoted, command.depth});
    const bool alias = sameName(name, "alias");
    const bool key = sameName(name, "bind") || sameName(name, "unbind");
    for (std::size_t k = 1; k < words.size(); ++k) {
      const ScriptWord& w = words[k];
      TokenKind kind = TokenKind::Value;
      if (k == 1 && alias)
        kind = TokenKind::AliasName;
      else if (k == 1 && key)
        kind = vocabulary.isKeyName(w.text(script)) ? TokenKind::KeyName : TokenKind::Unknown;
      out.push_back({w.start, w.length, kind, w.quoted, command.depth});
    }
  }
  if (command.commentStart >= 0)
    out.push_back({command.commentStart, command.end - command.commentStart, TokenKind::Comment,
                   false, command.depth});
}

std::vector<ScriptToken> tokenize(std::string_view text, const Vocabulary& vocabulary,
                                  const NameSet* aliases) {
  std::vector<ScriptToken> tokens;
  TokenCollector collector(vocabulary, aliases, tokens);
  ScriptScanner().scan(text, collector);
  return tokens;
}

NameSet definedAliases(std::string_view text) {
  class Collector : public ScriptVisitor {
   public:
    NameSet names;
    void command(std::string_view script, const ScriptCommand& command) override {
      if (command.words.size() >= 2 && sameName(command.name(script), "alias"))
        names.emplace(command.words[1].text(script));
    }
  } collector;
  ScriptScanner().scan(text, collector);
  return std::move(collector.names);
}

WordAt wordAt(std::string_view line, Offset position, const Vocabulary& vocabulary,
              const NameSet* aliases, bool caret) {
  class Finder : public ScriptVisitor {
   public:
    Finder(Offset position, bool caret, const Vocabulary& vocabulary, const NameSet* aliases)
        : position_(position), caret_(caret), vocabulary_(vocabulary), aliases_(aliases) {}
    WordAt result;

    void command(std::string_view script, const ScriptCommand& command) override {
      // A caret right before the ';' belongs to the command it ends, one right after it to
      // the next. Nested commands come after the command that holds them, so the innermost
      // command that holds the position decides.
      const Offset p = position_;
      if (p < command.start || (caret_ ? p > command.end : p >= command.end)) return;
      WordAt found;
      found.insideQuotes =
          command.parent && command.parent->words.size() == 3 && command.parent->words[2].quoted;
      if (command.commentStart >= 0 &&
          (caret_ ? p > command.commentStart : p >= command.commentStart)) {
        result = found;  // inside a comment: no word, no command
        return;
      }
      tokens_.clear();
      classifyCommand(script, command, vocabulary_, aliases_, tokens_);
      const auto words = command.words;
      for (std::size_t k = 0; k < words.size(); ++k) {
        const ScriptWord& w = words[k];
        bool inside;
        if (!caret_)
          inside = p >= w.start && p < w.end();
        else if (!w.quoted)
          inside = p >= w.start && p <= w.end();
        else
          inside = p > w.start && (w.closed ? p < w.end() : p <= w.end());
        if (!inside) continue;
        // A caret between two words that touch ("F1" and "," in `bind F1,`) belongs to the word
        // before it, the one being typed, even when the word after it is a nested command's.
        if (caret_ && p == w.start && result.found && typedEnd_ == p) return;
        found.found = true;
        found.token = tokens_[k];
        found.textStart = w.textStart();
        found.textEnd = w.textStart() + w.textLength();
        found.commandPosition = k == 0;
        found.endOfCommand = k + 1 == words.size();
        result = found;
        typedEnd_ = w.end();
        return;
      }
      found.commandPosition = words.empty() || p < words[0].start;
      found.endOfCommand = words.empty() || p >= words.back().end();
      found.textStart = found.textEnd = p;
      result = found;
    }

   private:
    Offset position_;
    bool caret_;
    const Vocabulary& vocabulary_;
    const NameSet* aliases_;
    std::vector<ScriptToken> tokens_;
    Offset typedEnd_ = -1;  // where the word found so far ends, quotes included
  } finder(position, caret, vocabulary, aliases);
  ScriptScanner().scan(line, finder);
  return finder.result;
}

std::string firstCommandOf(std::string_view value) {
  std::size_t i = 0;
  while (i < value.size() && (value[i] == ' ' || value[i] == '\t' || value[i] == '"')) ++i;
  std::size_t j = i;
  while (j < value.size() && value[j] != ' ' && value[j] != '\t' && value[j] != ';' &&
         value[j] != '"')
    ++j;
  return std::string(value.substr(i, j - i));
}

bool isUserinfoVariable(std::string_view name) {
  static constexpr std::string_view kNames[] = {
      "name",  "model", "rate", "topcolor",    "bottomcolor",      "cl_updaterate",
      "cl_lw", "cl_lc", "_ah",  "_vgui_menus", "_cl_autowepswitch"};
  for (const std::string_view n : kNames)
    if (sameName(n, name)) return true;
  return false;
}

}  // namespace brindle::core
