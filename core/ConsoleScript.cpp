#include "core/ConsoleScript.h"

#include <algorithm>
#include <unordered_map>

namespace brindle::core {

namespace {

// Cmd_TokenizeString and COM_Parse skip every byte up to the space between words.
inline bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// COM_Parse hands these out as words of one character.
inline bool isSingle(char c) {
  return c == '{' || c == '}' || c == '(' || c == ')' || c == '\'' || c == ',' || c == ':';
}

inline unsigned char lowerAscii(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + 32) : u;
}

inline std::size_t at(Offset o) { return static_cast<std::size_t>(o); }

}  // namespace

// ---------------------------------------------------------------- names

std::size_t NoCaseHash::operator()(std::string_view s) const noexcept {
  std::size_t h = 14695981039346656037ull;
  for (const char c : s) {
    h ^= lowerAscii(c);
    h *= 1099511628211ull;
  }
  return h;
}

bool NoCaseEqual::operator()(std::string_view a, std::string_view b) const noexcept {
  return sameName(a, b);
}

Vocabulary::Vocabulary(const KnownWords& words) {
  std::unordered_map<std::string, std::uint8_t, NoCaseHash, NoCaseEqual> names;
  auto add = [&names](const std::string& name, std::uint8_t flag) {
    if (name.empty()) return;
    names[name] |= flag;
  };
  for (const auto& c : words.commands) add(c, kCommand);
  for (const auto& v : words.variables) add(v, kVariable);
  for (const auto& s : words.switches) add(s, kVariable | kSwitch);
  for (const auto& k : words.keyNames) {
    if (k.size() == 1)
      singleKeys_[static_cast<unsigned char>(k[0])] = true;
    else if (!k.empty())
      longKeys_.insert(k);
  }
  entries_.reserve(names.size());
  for (const auto& [name, flag] : names)
    entries_.push_back({name, (flag & kCommand) ? Kind::Command : Kind::Variable});

  std::size_t size = 16;
  while (size < names.size() * 2) size *= 2;
  table_.assign(size, Slot{});
  mask_ = size - 1;
  keys_.reserve(names.size());
  for (const auto& [name, flag] : names) {
    keys_.emplace_back(name, flag);
    const std::uint64_t h = hashOf(name);
    std::size_t i = static_cast<std::size_t>(h) & mask_;
    while (table_[i].key != 0) i = (i + 1) & mask_;
    table_[i] = {static_cast<std::uint32_t>(h >> 32), static_cast<std::uint32_t>(keys_.size())};
  }
  std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
    return std::lexicographical_compare(
        a.name.begin(), a.name.end(), b.name.begin(), b.name.end(),
        [](char x, char y) { return lowerAscii(x) < lowerAscii(y); });
  });
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

std::uint8_t Vocabulary::flags(std::string_view name) const {
  if (table_.empty()) return 0;
  const std::uint64_t h = hashOf(name);
  const auto tag = static_cast<std::uint32_t>(h >> 32);
  for (std::size_t i = static_cast<std::size_t>(h) & mask_;; i = (i + 1) & mask_) {
    const Slot& slot = table_[i];
    if (slot.key == 0) return 0;
    if (slot.hash == tag) {
      const auto& [key, flag] = keys_[slot.key - 1];
      if (sameName(key, name)) return flag;
    }
  }
}

Vocabulary::Known Vocabulary::lookup(std::string_view name) const {
  const std::uint8_t f = flags(name);
  return {(f & kCommand) != 0, (f & kVariable) != 0, (f & kSwitch) != 0};
}

bool Vocabulary::isCommand(std::string_view name) const { return flags(name) & kCommand; }
bool Vocabulary::isVariable(std::string_view name) const { return flags(name) & kVariable; }

bool Vocabulary::isKeyName(std::string_view key) const {
  if (key.size() == 1) return singleKeys_[static_cast<unsigned char>(key[0])];
  return !key.empty() && longKeys_.find(key) != longKeys_.end();
}

// ---------------------------------------------------------------- scanning

void ScriptScanner::scan(std::string_view text, ScriptVisitor& visitor) {
  const auto n = static_cast<Offset>(text.size());
  // A UTF-8 byte-order mark at the start is no command: Cmd_Exec_f skips it before the text runs
  // ("if (configContents[0] == char(0xEF) && configContents[1] == char(0xBB) && ...", the
  // REHLDS_FIXES block of rehlds/engine/cmd.cpp).
  Offset pos = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
  while (true) {
    Offset lineEnd = pos;
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
        found.found = true;
        found.token = tokens_[k];
        found.textStart = w.textStart();
        found.textEnd = w.textStart() + w.textLength();
        found.commandPosition = k == 0;
        found.endOfCommand = k + 1 == words.size();
        result = found;
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
  } finder(position, caret, vocabulary, aliases);
  ScriptScanner().scan(line, finder);
  return finder.result;
}

}  // namespace brindle::core
