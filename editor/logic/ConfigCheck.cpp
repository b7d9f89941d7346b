#include "editor/logic/ConfigCheck.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <unordered_map>

#include "core/Cp1251.h"
#include "core/Text.h"

namespace brindle::editor {

using core::Offset;
using core::sameName;
using core::ScriptCommand;
using core::ScriptWord;

namespace {

// Names Cmd_Alias_f refuses in this game besides the names of variables.
constexpr std::array<std::string_view, 5> kReservedAliasNames = {
    "cl_autobuy", "cl_rebuy", "gl_ztrick", "gl_ztrick_old", "gl_d3dflip"};

// Variables whose values live in the user-info string beside the setinfo keys; when the string
// is full, the game makes room for them by dropping setinfo keys (Info_IsKeyImportant).
constexpr std::array<std::string_view, 8> kUserinfoVariables = {
    "name", "model", "rate", "topcolor", "bottomcolor", "cl_updaterate", "cl_lw", "cl_lc"};

// Unknown words for which a close known name is looked for; beyond that, a file full of
// garbage would spend its time comparing.
constexpr std::size_t kMaxSuggestions = 200;

std::string q(std::string_view cp1251) { return "«" + core::toUtf8(cp1251) + "»"; }

std::string number(std::size_t n) { return std::to_string(n); }

inline std::size_t at(Offset o) { return static_cast<std::size_t>(o); }

inline unsigned char lowerAscii(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + 32) : u;
}

std::string lowered(std::string_view s) { return core::asciiLower(s); }

template <std::size_t N>
bool isOneOf(std::string_view name, const std::array<std::string_view, N>& names) {
  return std::any_of(names.begin(), names.end(),
                     [&](std::string_view n) { return sameName(n, name); });
}

// Edit distance with transpositions, letter case ignored; anything above `limit` is limit + 1.
std::size_t distance(std::string_view a, std::string_view b, std::size_t limit) {
  const std::size_t n = a.size();
  const std::size_t m = b.size();
  if ((n > m ? n - m : m - n) > limit) return limit + 1;
  std::vector<std::size_t> prev2(m + 1), prev(m + 1), cur(m + 1);
  for (std::size_t j = 0; j <= m; ++j) prev[j] = j;
  for (std::size_t i = 1; i <= n; ++i) {
    cur[0] = i;
    std::size_t rowMin = cur[0];
    for (std::size_t j = 1; j <= m; ++j) {
      const bool same = lowerAscii(a[i - 1]) == lowerAscii(b[j - 1]);
      std::size_t v = std::min({prev[j] + 1, cur[j - 1] + 1, prev[j - 1] + (same ? 0 : 1)});
      if (i > 1 && j > 1 && lowerAscii(a[i - 1]) == lowerAscii(b[j - 2]) &&
          lowerAscii(a[i - 2]) == lowerAscii(b[j - 1]))
        v = std::min(v, prev2[j - 2] + 1);
      cur[j] = v;
      rowMin = std::min(rowMin, v);
    }
    if (rowMin > limit) return limit + 1;
    std::swap(prev2, prev);
    std::swap(prev, cur);
  }
  return std::min(prev[m], limit + 1);
}

// Line and column numbers of offsets taken in increasing order: one walk over the text, however
// many offsets.
// Whether any of the eight bytes of `x` is `b`.
inline bool hasByte(std::uint64_t x, unsigned char b) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  const std::uint64_t y = x ^ (kOnes * b);
  return ((y - kOnes) & ~y & (kOnes * 0x80)) != 0;
}

class LineCounter {
 public:
  explicit LineCounter(std::string_view text) : text_(text) {}
  // The line (from 0) of an offset no smaller than the last one asked; the start of that line
  // in lineStart().
  Offset lineOf(Offset offset) {
    const auto n = static_cast<Offset>(text_.size());
    const Offset to = std::min(offset, n);
    while (pos_ < to) {
      // Eight bytes at a time while none of them breaks a line.
      while (pos_ + 8 <= to) {
        std::uint64_t chunk;
        std::memcpy(&chunk, text_.data() + pos_, 8);
        if (hasByte(chunk, '\n') || hasByte(chunk, '\r')) break;
        pos_ += 8;
      }
      if (pos_ >= to) break;
      const char c = text_[at(pos_)];
      ++pos_;
      if (c == '\n' || c == '\r') {
        if (c == '\r' && pos_ < n && text_[at(pos_)] == '\n') ++pos_;
        ++line_;
        start_ = pos_;
      }
    }
    return line_;
  }
  Offset lineStart() const { return start_; }

 private:
  std::string_view text_;
  Offset pos_ = 0;
  Offset line_ = 0;
  Offset start_ = 0;
};

// Russian plural of a count: 1 переменная, 2 переменные, 5 переменных.
std::string countOf(std::size_t n, std::string_view one, std::string_view few,
                    std::string_view many) {
  const std::size_t tens = n % 100;
  const std::size_t units = n % 10;
  std::string_view word = many;
  if (tens < 11 || tens > 14) {
    if (units == 1)
      word = one;
    else if (units >= 2 && units <= 4)
      word = few;
  }
  return number(n) + " " + std::string(word);
}

// Prefixes of the engine's, the client's and the game's own words, which no add-on owns.
constexpr std::array<std::string_view, 10> kStockPrefixes = {"sv_", "mp_", "cl_", "hud_", "gl_",
                                                             "r_",  "s_",  "m_",  "con_", "net_"};

class Checker : public core::ScriptVisitor {
 public:
  Checker(const core::Vocabulary& vocabulary, bool lineOnly, const CheckOptions& options)
      : vocabulary_(vocabulary), lineOnly_(lineOnly), options_(options) {
    lastDef_.fill(-1);
  }

  void command(std::string_view script, const ScriptCommand& cmd) override;
  // An exec of the text that runs nothing. `through`: the loop closes in another file that
  // this exec runs.
  void execTrouble(const ExecLine& exec, ExecTrouble trouble, bool quiet, bool through);
  CheckResult finish(std::string_view text);
  void setChainAliases(const core::NameSet* aliases) { chainAliases_ = aliases; }

 private:
  // Names are views into the text being checked, which outlives the checker.
  struct AliasDef {
    std::string_view name;
    Offset offset = 0;
    Offset length = 0;
    bool waitSeen = false;
    std::vector<std::string_view> calls;       // command names of its value up to the first wait
    std::vector<std::string_view> laterCalls;  // those after it
  };
  struct Candidate {
    Offset offset = 0;  // the word as written (with quotes)
    Offset length = 0;
    Offset textOffset = 0;  // the word as the console reads it
    Offset textLength = 0;
  };
  struct KeyUse {
    Offset offset = 0;  // the key word of the bind
    Offset length = 0;
    std::string_view key;  // as written there
  };
  struct Rebind {
    KeyUse earlier;
    Offset later = 0;
  };

  void add(Offset offset, Offset length, Severity severity, ProblemKind kind, std::string message);
  void alias(std::string_view script, const ScriptCommand& cmd);
  void key(std::string_view script, const ScriptCommand& cmd, bool unbind);
  void side(std::string_view name, const core::Vocabulary::Known& known, const ScriptWord& w);
  void setinfo(std::string_view script, const ScriptCommand& cmd);
  void userinfo(std::string_view key, std::string_view value, const ScriptCommand& cmd);
  void cycles(std::string_view text);
  std::string suggestion(std::string_view word, const core::NameSet& aliases);

  const core::Vocabulary& vocabulary_;
  const bool lineOnly_;
  const CheckOptions options_;
  const core::NameSet* chainAliases_ = nullptr;
  std::vector<Problem> problems_;

  std::vector<AliasDef> defs_;
  std::unordered_map<std::string_view, std::size_t, core::NoCaseHash, core::NoCaseEqual> firstDef_;
  std::array<long, core::ScriptScanner::kMaxDepth + 1> lastDef_{};
  std::vector<Candidate> candidates_;
  // Keys by Key_StringToKeynum: one character exactly, longer names without regard to case.
  std::array<KeyUse, 256> singleBinds_{};
  std::unordered_map<std::string_view, KeyUse, core::NoCaseHash, core::NoCaseEqual> longBinds_;
  std::vector<Rebind> rebinds_;
  std::unordered_map<std::string, std::size_t> info_;
  std::size_t infoLength_ = 0;
  bool infoReported_ = false;
  Offset lastComment_ = -1;
  std::unordered_map<std::string, std::string> suggestions_;
};

void Checker::add(Offset offset, Offset length, Severity severity, ProblemKind kind,
                  std::string message) {
  Problem p;
  p.offset = offset;
  p.length = std::max<Offset>(length, 1);
  p.severity = severity;
  p.kind = kind;
  p.message = std::move(message);
  problems_.push_back(std::move(p));
}

void Checker::command(std::string_view script, const ScriptCommand& cmd) {
  const auto depth = static_cast<std::size_t>(cmd.depth);
  const long parentDef = depth > 0 ? lastDef_[depth - 1] : -1;
  lastDef_[depth] = -1;
  const auto words = cmd.words;
  if (words.empty()) return;

  if (depth == 0) {
    if (static_cast<std::size_t>(cmd.end - cmd.start) > kMaxCommandLine)
      add(cmd.start, cmd.end - cmd.start, Severity::Error, ProblemKind::CommandTooLong,
          "команда длиннее " + number(kMaxCommandLine) + " символов (" +
              number(static_cast<std::size_t>(cmd.end - cmd.start)) + "): игра отбросит её конец");
    // Quotes left open inside the value of an alias or bind are the value's own quote.
    for (const ScriptWord& w : words)
      if (w.quoted && !w.closed)
        add(w.start, w.length, Severity::Error, ProblemKind::UnclosedQuote,
            "незакрытая кавычка: игра закончит слово в конце строки");
  }

  const std::string_view name = words[0].text(script);
  if (parentDef >= 0) {
    AliasDef& def = defs_[static_cast<std::size_t>(parentDef)];
    if (sameName(name, "wait"))
      def.waitSeen = true;
    else if (!def.waitSeen)
      def.calls.push_back(name);
    else
      def.laterCalls.push_back(name);
  }

  bool inComment = false;
  if (cmd.afterComment >= 0) {
    inComment = true;
    if (cmd.afterComment != lastComment_) {
      lastComment_ = cmd.afterComment;
      add(words[0].start, words.back().end() - words[0].start, Severity::Warning,
          ProblemKind::CommandInComment,
          "«;» в комментарии заканчивает его: игра выполнит этот текст как команду");
    }
  }

  // A value of several words ("alias p \"sv_password \"1\"\"") reaches the game joined with
  // blanks and without its quotes (Cmd_Alias_f): a quoted first word then reads without the
  // blanks around it.
  std::string_view lookupName = name;
  if (depth > 0 && words[0].quoted && cmd.parent && cmd.parent->words.size() > 3) {
    while (!lookupName.empty() && static_cast<unsigned char>(lookupName.front()) <= ' ')
      lookupName.remove_prefix(1);
    while (!lookupName.empty() && static_cast<unsigned char>(lookupName.back()) <= ' ')
      lookupName.remove_suffix(1);
  }
  const core::Vocabulary::Known known = vocabulary_.lookup(lookupName);
  if (!known.command && !known.variable && !inComment && !lineOnly_ && !name.empty())
    candidates_.push_back(
        {words[0].start, words[0].length, words[0].textStart(), words[0].textLength()});

  {
    // The engine's own commands whose arguments this check knows (also when the lists lack
    // them); one comparison at most.
    switch (name.size()) {
      case 4:
        if (sameName(name, "bind")) key(script, cmd, false);
        break;
      case 5:
        if (sameName(name, "alias")) alias(script, cmd);
        break;
      case 6:
        if (sameName(name, "unbind")) key(script, cmd, true);
        break;
      case 7:
        if (sameName(name, "setinfo")) setinfo(script, cmd);
        break;
      case 9:
        if (sameName(name, "unbindall") && depth == 0) {
          singleBinds_.fill(KeyUse{});
          longBinds_.clear();
        }
        break;
      default:
        break;
    }
  }
  if (known.variable && !known.command) {
    if (depth == 0 && !lineOnly_ && !inComment) side(name, known, words[0]);
    if (words.size() >= 2) {
      if (known.info && !known.info->values.empty()) {
        const std::string_view value = words[1].text(script);
        if (!known.info->values.accepts(value))
          add(words[1].start, words[1].length, Severity::Warning, ProblemKind::BadValue,
              q(name) + ": значение " + q(value) + " вне допустимых (" +
                  known.info->values.describe() + ")");
      }
      if (depth == 0 && isOneOf(name, kUserinfoVariables))
        userinfo(name, words[1].text(script), cmd);
    }
  }
}

void Checker::alias(std::string_view script, const ScriptCommand& cmd) {
  const auto words = cmd.words;
  if (words.size() < 2) return;  // "alias" alone lists the aliases
  const ScriptWord& w = words[1];
  const std::string_view name = w.text(script);
  if (name.empty()) return;
  if (name.size() > kMaxAliasName) {
    add(w.start, w.length, Severity::Error, ProblemKind::AliasNameTooLong,
        "имя алиаса длиннее " + number(kMaxAliasName) + " символа (" + number(name.size()) +
            "): игра не создаст этот алиас");
    return;
  }
  if (vocabulary_.isVariable(name)) {
    add(w.start, w.length, Severity::Error, ProblemKind::AliasNameTaken,
        q(name) + " — имя переменной: игра не создаст алиас с таким именем");
    return;
  }
  if (isOneOf(name, kReservedAliasNames)) {
    add(w.start, w.length, Severity::Error, ProblemKind::AliasNameTaken,
        "имя " + q(name) + " игра оставляет за собой: алиас не создастся");
    return;
  }
  if (lineOnly_) return;
  defs_.push_back({name, w.start, w.length, false, {}, {}});
  firstDef_.try_emplace(name, defs_.size() - 1);
  lastDef_[static_cast<std::size_t>(cmd.depth)] = static_cast<long>(defs_.size() - 1);
}

// A variable of the other side does nothing where this config runs. A player's config runs in
// the game on the player's computer: a variable of the server rules or of a server's add-on
// there does not reach the server the player joins. The engine's own server variables are left
// alone: the player's engine keeps them for the servers it starts and writes them into
// config.cfg itself. A server's config and its add-ons' run on the server, where no variable of
// the game client is read.
void Checker::side(std::string_view name, const core::Vocabulary::Known& known,
                   const ScriptWord& w) {
  if (!known.info) return;
  const std::string_view origin = known.info->origin;
  if (options_.kind == ConfigKind::Player) {
    if (known.side != core::WordSide::Server || origin == "engine") return;
    add(w.start, w.length, Severity::Warning, ProblemKind::WrongSide,
        q(name) + " — " + core::Vocabulary::originText(*known.info) +
            ": она действует, только когда игрок сам создаёт игру; на сервере, куда он заходит, "
            "она ничего не делает");
  } else if (known.side == core::WordSide::Client) {
    add(w.start, w.length, Severity::Warning, ProblemKind::WrongSide,
        q(name) + " — " + core::Vocabulary::originText(*known.info) +
            ": сервер её не читает, в конфиге сервера она ничего не делает");
  }
}

void Checker::key(std::string_view script, const ScriptCommand& cmd, bool unbind) {
  const auto words = cmd.words;
  if (words.size() < 2) return;
  const ScriptWord& w = words[1];
  const std::string_view key = w.text(script);
  const std::string_view command = unbind ? "unbind" : "bind";
  // Key_StringToKeynum takes any name of one character as that character's key; only an
  // upper-case letter names no key, since the game sends letters in lower case.
  const bool anySingle = key.size() == 1 && !(key[0] >= 'A' && key[0] <= 'Z');
  if (!anySingle && !vocabulary_.isEngineKey(key)) {
    std::string message;
    const char lower = static_cast<char>(lowerAscii(key.empty() ? '\0' : key[0]));
    if (key.empty())
      message = "пустое имя клавиши: " + std::string(command) + " его не примет";
    else if (key.size() == 1 && lower != key[0] &&
             vocabulary_.isEngineKey(std::string_view(&lower, 1)))
      message = q(key) + " — не имя клавиши: имя из одного символа игра сравнивает с учётом " +
                "регистра, а клавиша этой буквы называется " + q(std::string_view(&lower, 1)) +
                "; такая привязка не сработает";
    else
      message = q(key) + " — не имя клавиши: " + std::string(command) + " его не примет";
    add(w.start, w.length, Severity::Error, ProblemKind::BadKeyName, std::move(message));
    return;
  }
  if (lineOnly_ || cmd.depth != 0) return;
  if (unbind) {
    if (key.size() == 1)
      singleBinds_[static_cast<unsigned char>(key[0])] = KeyUse{};
    else
      longBinds_.erase(key);
    return;
  }
  if (words.size() < 3) return;  // "bind KEY" shows the binding
  const KeyUse use{w.start, w.length, key};
  KeyUse* earlier = nullptr;
  if (key.size() == 1) {
    KeyUse& slot = singleBinds_[static_cast<unsigned char>(key[0])];
    if (slot.length > 0)
      earlier = &slot;
    else
      slot = use;
  } else {
    const auto [it, inserted] = longBinds_.try_emplace(key, use);
    if (!inserted) earlier = &it->second;
  }
  if (earlier) {
    rebinds_.push_back({*earlier, w.start});
    *earlier = use;
  }
}

void Checker::setinfo(std::string_view script, const ScriptCommand& cmd) {
  const auto words = cmd.words;
  if (words.size() < 3) return;  // "setinfo KEY" shows the value
  const ScriptWord& kw = words[1];
  const ScriptWord& vw = words[2];
  const std::string_view key = kw.text(script);
  const std::string_view value = vw.text(script);
  auto bad = [](std::string_view s) {
    return s.find('\\') != std::string_view::npos || s.find('"') != std::string_view::npos ||
           s.find("..") != std::string_view::npos;
  };
  if (!key.empty() && key[0] == '*')
    add(kw.start, kw.length, Severity::Error, ProblemKind::SetinfoKey,
        "ключи setinfo со звёздочкой игра менять не даёт");
  else if (key.empty())
    add(kw.start, kw.length, Severity::Error, ProblemKind::SetinfoKey,
        "пустой ключ setinfo: игра его не примет");
  else if (bad(key))
    add(kw.start, kw.length, Severity::Error, ProblemKind::SetinfoKey,
        "в ключе setinfo игра не принимает «\\», «\"» и «..»");
  else if (bad(value))
    add(vw.start, vw.length, Severity::Error, ProblemKind::SetinfoValue,
        "в значении setinfo игра не принимает «\\», «\"» и «..»");
  else if (key.size() > kMaxInfoText)
    add(kw.start, kw.length, Severity::Error, ProblemKind::SetinfoKey,
        "ключ setinfo длиннее " + number(kMaxInfoText) + " символов (" + number(key.size()) +
            "): игра его не примет");
  else if (value.size() > kMaxInfoText)
    add(vw.start, vw.length, Severity::Error, ProblemKind::SetinfoValue,
        "значение setinfo длиннее " + number(kMaxInfoText) + " символов (" + number(value.size()) +
            "): игра его не примет");
  else if (!lineOnly_ && cmd.depth == 0)
    userinfo(key, value, cmd);
}

void Checker::userinfo(std::string_view key, std::string_view value, const ScriptCommand& cmd) {
  if (lineOnly_ || infoReported_) return;
  const std::string id(key);
  if (const auto it = info_.find(id); it != info_.end()) {
    infoLength_ -= it->second;
    info_.erase(it);
  }
  if (value.empty()) return;                               // an empty value removes the key
  const std::size_t pair = 2 + key.size() + value.size();  // "\key\value"
  if (infoLength_ + pair > kMaxUserinfo) {
    infoReported_ = true;
    const bool important = isOneOf(key, kUserinfoVariables);
    const auto& w = cmd.words;
    add(w.front().start, w.back().end() - w.front().start, Severity::Error,
        ProblemKind::UserinfoTooLong,
        "строка userinfo выходит за " + number(kMaxUserinfo) + " символов (" +
            number(infoLength_ + pair) + "): " +
            (important ? "игра выбросит из неё ключи setinfo" : "игра не примет " + q(key)));
    return;
  }
  info_.emplace(id, pair);
  infoLength_ += pair;
}

std::string Checker::suggestion(std::string_view word, const core::NameSet& aliases) {
  if (word.size() < 3 || word.size() > 40) return {};
  const std::string id = lowered(word);
  if (const auto it = suggestions_.find(id); it != suggestions_.end()) return it->second;
  if (suggestions_.size() >= kMaxSuggestions) return {};
  const std::size_t limit = word.size() <= 5 ? 1 : 2;
  // A name is offered only when it alone is closest: with two as close, the user's word may be
  // either, or neither. "+", "-" and any other first character that is no letter or digit stay
  // as they are: "/jump" is no misspelt "+jump", nor "-duck" one of "+duck".
  auto letterOrDigit = [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= '0' && u <= '9') || ((u | 0x20) >= 'a' && (u | 0x20) <= 'z');
  };
  const bool plainStart = letterOrDigit(word[0]);
  SuggestionCache::Best best{{}, limit + 1, false};
  auto consider = [&](std::string_view name) {
    if (name.empty()) return;
    if (plainStart ? !letterOrDigit(name[0]) : name[0] != word[0]) return;
    const std::size_t d = distance(word, name, std::min(limit, best.distance));
    if (d < best.distance) {
      best = {std::string(name), d, false};
    } else if (d == best.distance && d <= limit && !sameName(name, best.name)) {
      best.tie = true;
    }
  };
  // The vocabulary's closest word, from the cache when an earlier check looked for it.
  SuggestionCache::Best* cached = nullptr;
  if (options_.suggestions) {
    const auto it = options_.suggestions->words.find(id);
    if (it != options_.suggestions->words.end()) cached = &it->second;
  }
  if (cached) {
    best = *cached;
  } else {
    for (const auto& entry : vocabulary_.entries()) consider(entry.name);
    if (options_.suggestions) options_.suggestions->words.emplace(id, best);
  }
  for (const auto& name : aliases) consider(name);
  if (chainAliases_)
    for (const auto& name : *chainAliases_) consider(name);
  std::string found = best.distance > limit || best.tie ? std::string() : best.name;
  // Names that differ only in their underscores are one setting of two games (the Source
  // games' cl_crosshaircolor beside this game's cl_crosshair_color), which take other values:
  // no misspelling to correct.
  auto withoutUnderscores = [](std::string_view w) {
    std::string out;
    for (const char c : w)
      if (c != '_') out += static_cast<char>(lowerAscii(c));
    return out;
  };
  if (!found.empty() && withoutUnderscores(found) == withoutUnderscores(word)) found.clear();
  suggestions_.emplace(id, found);
  return found;
}

void Checker::cycles(std::string_view text) {
  // Alias names in the order of their first definition.
  std::vector<std::size_t> order;
  order.reserve(firstDef_.size());
  for (const auto& [name, def] : firstDef_) order.push_back(def);
  std::sort(order.begin(), order.end());
  std::unordered_map<std::string_view, std::size_t, core::NoCaseHash, core::NoCaseEqual> node;
  node.reserve(order.size());
  for (std::size_t i = 0; i < order.size(); ++i) node.emplace(defs_[order[i]].name, i);

  // Which aliases wait when they run: a wait in one of their values, or a call of an alias
  // that waits, at any place of the value. An alias only another file of the chain defines may
  // wait for all this file tells.
  std::vector<bool> waits(order.size(), false);
  {
    std::vector<std::vector<std::size_t>> callers(order.size());
    std::vector<std::size_t> queue;
    auto mark = [&](std::size_t v) {
      if (!waits[v]) {
        waits[v] = true;
        queue.push_back(v);
      }
    };
    for (const AliasDef& def : defs_) {
      const std::size_t from = node.at(def.name);
      if (def.waitSeen) mark(from);
      for (const auto* list : {&def.calls, &def.laterCalls})
        for (const std::string_view call : *list) {
          if (vocabulary_.isCommand(call)) continue;
          if (const auto it = node.find(call); it != node.end())
            callers[it->second].push_back(from);
          else if (chainAliases_ && chainAliases_->find(call) != chainAliases_->end())
            mark(from);
        }
    }
    for (std::size_t qi = 0; qi < queue.size(); ++qi)
      for (const std::size_t caller : callers[queue[qi]]) mark(caller);
  }

  // An alias reaches another through a call made before the first wait of one of its values,
  // the wait of an alias it calls included; a name that is also a command runs the command,
  // not the alias.
  std::vector<std::vector<std::size_t>> edges(order.size());
  for (const AliasDef& def : defs_) {
    const std::size_t from = node.at(def.name);
    for (const std::string_view call : def.calls) {
      if (vocabulary_.isCommand(call)) continue;
      const auto it = node.find(call);
      if (it == node.end()) {
        if (chainAliases_ && chainAliases_->find(call) != chainAliases_->end()) break;
        continue;
      }
      edges[from].push_back(it->second);
      if (waits[it->second]) break;
    }
  }
  for (auto& e : edges) {
    std::sort(e.begin(), e.end());
    e.erase(std::unique(e.begin(), e.end()), e.end());
  }

  // Strongly connected components (Tarjan, without recursion).
  const std::size_t n = order.size();
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::vector<std::size_t> index(n, kNone), low(n, 0), component(n, kNone);
  std::vector<bool> onStack(n, false);
  std::vector<std::size_t> stack;
  std::vector<std::pair<std::size_t, std::size_t>> work;  // node, next edge
  std::size_t counter = 0;
  std::size_t components = 0;
  for (std::size_t root = 0; root < n; ++root) {
    if (index[root] != kNone) continue;
    work.push_back({root, 0});
    while (!work.empty()) {
      auto& [v, next] = work.back();
      if (next == 0 && index[v] == kNone) {
        index[v] = low[v] = counter++;
        stack.push_back(v);
        onStack[v] = true;
      }
      if (next < edges[v].size()) {
        const std::size_t w = edges[v][next++];
        if (index[w] == kNone)
          work.push_back({w, 0});
        else if (onStack[w])
          low[v] = std::min(low[v], index[w]);
        continue;
      }
      if (low[v] == index[v]) {
        while (true) {
          const std::size_t w = stack.back();
          stack.pop_back();
          onStack[w] = false;
          component[w] = components;
          if (w == v) break;
        }
        ++components;
      }
      const std::size_t done = v;
      work.pop_back();
      if (!work.empty()) low[work.back().first] = std::min(low[work.back().first], low[done]);
    }
  }

  std::vector<std::vector<std::size_t>> members(components);
  for (std::size_t v = 0; v < n; ++v) members[component[v]].push_back(v);
  for (const auto& m : members) {
    const std::size_t start = m.front();  // the first defined alias of the component
    const bool self = std::binary_search(edges[start].begin(), edges[start].end(), start);
    if (m.size() < 2 && !self) continue;
    // Aliases are redefined while they run, so which value of a member runs depends on the
    // moment: when one value of a member reaches a wait (its own, or through an alias it calls)
    // before it calls back into the loop, the loop may well wait there.
    bool breaks = false;
    for (const AliasDef& def : defs_) {
      if (breaks) break;
      if (component[node.at(def.name)] != component[start]) continue;
      bool back = false;
      for (const std::string_view call : def.calls) {
        if (vocabulary_.isCommand(call)) continue;
        const auto it = node.find(call);
        if (it == node.end()) {
          if (chainAliases_ && chainAliases_->find(call) != chainAliases_->end()) breaks = true;
          if (breaks) break;
          continue;
        }
        if (component[it->second] == component[start]) {
          back = true;
          break;
        }
        if (waits[it->second]) {
          breaks = true;
          break;
        }
      }
      if (!back && def.waitSeen) breaks = true;
    }
    if (breaks) continue;
    // A path from the first alias back to itself inside the component (breadth first).
    std::vector<std::size_t> path;
    if (self) {
      path = {start, start};
    } else {
      std::unordered_map<std::size_t, std::size_t> from;
      std::vector<std::size_t> queue{start};
      bool closed = false;
      for (std::size_t qi = 0; qi < queue.size() && !closed; ++qi) {
        const std::size_t v = queue[qi];
        for (const std::size_t w : edges[v]) {
          if (component[w] != component[start]) continue;
          if (w == start) {
            for (std::size_t x = v; x != start; x = from.at(x)) path.push_back(x);
            path.push_back(start);
            std::reverse(path.begin(), path.end());
            path.push_back(start);
            closed = true;
            break;
          }
          if (from.emplace(w, v).second) queue.push_back(w);
        }
      }
    }
    std::string chain;
    for (std::size_t i = 0; i < path.size(); ++i) {
      if (i > 0) chain += " → ";
      if (i == 6 && path.size() > 7) {
        chain += "… → " + q(defs_[order[path.back()]].name);
        break;
      }
      chain += q(defs_[order[path[i]]].name);
    }
    const AliasDef& def = defs_[order[start]];
    add(def.offset, def.length, Severity::Error, ProblemKind::AliasCycle,
        (self ? "алиас вызывает сам себя без wait, игра зависнет: "
              : "алиасы вызывают друг друга без wait, игра зависнет: ") +
            chain);
  }
  (void)text;
}

void Checker::execTrouble(const ExecLine& exec, ExecTrouble trouble, bool quiet, bool through) {
  const std::string name = q(exec.target);
  switch (trouble) {
    case ExecTrouble::Missing:
      if (quiet || !options_.gameDirKnown) return;  // the game looks for it without a word
      add(exec.offset, exec.length, Severity::Warning, ProblemKind::ExecFailed,
          "файла " + name + " нет в папке игры: игра напишет «couldn't exec " +
              core::toUtf8(exec.target) + "» и пойдёт дальше");
      return;
    case ExecTrouble::Unreadable:
      add(exec.offset, exec.length, Severity::Warning, ProblemKind::ExecFailed,
          "файл " + name + " не читается: игра его не выполнит");
      return;
    case ExecTrouble::NotConfig:
      add(exec.offset, exec.length, Severity::Warning, ProblemKind::ExecFailed,
          "exec выполняет только файлы .cfg и .rc: " + name +
              " игра не выполнит, имя пишется с расширением");
      return;
    case ExecTrouble::BadPath:
      add(exec.offset, exec.length, Severity::Warning, ProblemKind::ExecFailed,
          "exec не принимает путь " + name +
              ": в нём нельзя «\\», «:», «~», «..» и «/» в начале; путь считается от папки игры");
      return;
    case ExecTrouble::Usage:
      add(exec.offset, exec.length, Severity::Warning, ProblemKind::ExecFailed,
          "exec принимает ровно одно имя файла: игра покажет подсказку и ничего не выполнит");
      return;
    case ExecTrouble::Loop:
      add(exec.offset, exec.length, Severity::Error, ProblemKind::ExecFailed,
          chainTroubleText(trouble, exec, core::toUtf8(exec.target), through));
      return;
    case ExecTrouble::TooDeep:
      add(exec.offset, exec.length, Severity::Warning, ProblemKind::ExecFailed,
          chainTroubleText(trouble, exec, core::toUtf8(exec.target), through));
      return;
  }
}

CheckResult Checker::finish(std::string_view text) {
  CheckResult result;
  if (const auto nul = text.find('\0'); nul != std::string_view::npos)
    add(static_cast<Offset>(nul), 1, Severity::Error, ProblemKind::NulByte,
        "нулевой байт: игра не прочтёт файл дальше этого места");

  if (!lineOnly_) {
    for (const auto& [name, def] : firstDef_) result.aliases.emplace(name);
    const core::NameSet& aliases = result.aliases;
    auto knownAlias = [&](std::string_view word) {
      return aliases.find(word) != aliases.end() ||
             (chainAliases_ && chainAliases_->find(word) != chainAliases_->end());
    };

    // Unknown words of one prefix in an add-on's config are that add-on's: one note for them
    // all, at the first.
    struct Module {
      Offset offset = 0;
      Offset length = 0;
      core::NameSet names;
    };
    std::vector<std::pair<std::string, Module>> modules;
    // In a plugin's config every unknown word is the add-on's; in a server's, those of a prefix
    // that no stock word has (a misspelt sv_ or mp_ name stays a warning).
    const bool plugin = options_.kind == ConfigKind::Plugin;
    std::unordered_map<std::string_view, std::string> unknownMessages;
    const bool server = options_.kind == ConfigKind::Server;
    for (const Candidate& c : candidates_) {
      const std::string_view word = text.substr(at(c.textOffset), at(c.textLength));
      if (knownAlias(word)) continue;
      if (word.size() > 1 && (word[0] == '+' || word[0] == '-')) {
        std::string partner(word);
        partner[0] = word[0] == '+' ? '-' : '+';
        if (knownAlias(partner)) continue;  // the pair check tells
      }
      const std::string_view prefix = wordPrefix(word);
      const bool stock = !prefix.empty() && isStockPrefix(prefix);
      // A player's game hands a command it does not know to the server it is on
      // (Cmd_ForwardToServer): amx_ commands are AMX Mod X plugins' commands there.
      if (options_.kind == ConfigKind::Player &&
          (sameName(prefix, "amx_") || sameName(prefix, "amxx_")))
        continue;
      const bool letters = !word.empty() && ((word[0] | 0x20) >= 'a' && (word[0] | 0x20) <= 'z');
      if ((plugin && letters) || (server && !prefix.empty() && !stock)) {
        const std::string id = lowered(prefix);
        auto it = std::find_if(modules.begin(), modules.end(),
                               [&](const auto& m) { return m.first == id; });
        if (it == modules.end()) {
          modules.push_back({id, Module{c.offset, c.length, {}}});
          it = modules.end() - 1;
        }
        it->second.names.emplace(word);
        continue;
      }
      // A word that comes back again and again gets its message once.
      auto [known, added] = unknownMessages.try_emplace(word);
      if (added) {
        std::string& message = known->second;
        message = "неизвестная команда или переменная " + q(word);
        if (word[0] == '#' || word[0] == ';')
          message += ": «" + std::string(1, word[0]) +
                     "» не начинает комментарий, комментарий в конфиге начинается с «//»";
        else if (word[0] == '/')
          message += ": комментарий начинается с двух «/», а не с одной";
        else if (const std::string s = suggestion(word, aliases); !s.empty())
          message += "; может быть, " + q(s) + "?";
      }
      add(c.offset, c.length, Severity::Warning, ProblemKind::UnknownWord, known->second);
    }
    for (const auto& [id, m] : modules) {
      const std::string_view first = text.substr(at(m.offset), at(m.length));
      const std::string count = countOf(m.names.size(), "переменная", "переменные", "переменных");
      add(m.offset, m.length, Severity::Note, ProblemKind::UnknownModule,
          id.empty()
              ? "неизвестный модуль: " + count + " без общей приставки, как " +
                    q(first.front() == '"' ? first.substr(1, first.size() - 2) : first)
              : "неизвестный модуль: " + count + " " +
                    core::toUtf8(wordPrefix(first.front() == '"' ? first.substr(1) : first)) + "…");
    }

    for (std::size_t i = 0; i < defs_.size(); ++i) {
      const AliasDef& def = defs_[i];
      if (firstDef_.at(def.name) != i) continue;
      if (def.name.size() < 2 || (def.name[0] != '+' && def.name[0] != '-')) continue;
      // "- None -" and the like are no key actions: a key binds "+name" only to a word.
      if (static_cast<unsigned char>(def.name[1]) <= ' ') continue;
      std::string partner(def.name);
      partner[0] = def.name[0] == '+' ? '-' : '+';
      if (knownAlias(partner)) continue;
      add(def.offset, def.length, Severity::Warning, ProblemKind::UnpairedAlias,
          def.name[0] == '+'
              ? "алиас " + q(def.name) + " без парного " + q(partner) +
                    ": при отпускании клавиши игра выполнит " + q(partner) + " и не найдёт его"
              : "алиас " + q(def.name) + " без парного " + q(partner) + ": клавиша с " +
                    q(partner) + " не сработает");
    }

    cycles(text);
  }

  {
    // Rebinds come in the order of the later bind, the order of the text.
    LineCounter lines(text);
    for (const Rebind& r : rebinds_)
      add(r.earlier.offset, r.earlier.length, Severity::Warning, ProblemKind::KeyBoundTwice,
          "клавиша " + q(r.earlier.key) + " привязана ещё раз в строке " +
              std::to_string(lines.lineOf(r.later) + 1) + ": эта привязка не действует");
  }
  // In the order of the text, problems at one offset in the order found: sorted by index, so
  // that a file with many problems does not move their messages about.
  std::vector<std::uint32_t> order(problems_.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
  std::stable_sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) {
    return problems_[a].offset < problems_[b].offset;
  });
  result.problems.reserve(problems_.size());
  LineCounter lines(text);
  for (const std::uint32_t i : order) {
    Problem& p = problems_[i];
    p.line = lines.lineOf(p.offset) + 1;
    p.column = p.offset - lines.lineStart() + 1;
    result.problems.push_back(std::move(p));
  }
  return result;
}

}  // namespace

bool isLineProblem(ProblemKind kind) {
  switch (kind) {
    case ProblemKind::UnknownWord:
    case ProblemKind::UnpairedAlias:
    case ProblemKind::AliasCycle:
    case ProblemKind::UserinfoTooLong:
    case ProblemKind::KeyBoundTwice:
    case ProblemKind::WrongSide:
    case ProblemKind::UnknownModule:
    case ProblemKind::ExecFailed:
      return false;
    default:
      return true;
  }
}

std::size_t CheckResult::errorCount() const {
  return static_cast<std::size_t>(
      std::count_if(problems.begin(), problems.end(),
                    [](const Problem& p) { return p.severity == Severity::Error; }));
}

std::size_t CheckResult::warningCount() const {
  return static_cast<std::size_t>(
      std::count_if(problems.begin(), problems.end(),
                    [](const Problem& p) { return p.severity == Severity::Warning; }));
}

CheckResult checkConfig(std::string_view text, const core::Vocabulary& vocabulary,
                        const CheckOptions& options) {
  Checker checker(vocabulary, false, options);
  checker.setChainAliases(options.chainAliases);
  core::ScriptScanner().scan(text, checker);
  return checker.finish(text);
}

CheckResult checkConfig(std::string_view text, const core::KnownWords& words) {
  return checkConfig(text, core::Vocabulary(words));
}

namespace {

// Checks the one file of a chain, and learns from the others the aliases they define.
class ChainCheck : public ChainVisitor {
 public:
  ChainCheck(Checker& checker, std::string key, const core::NameSet* known)
      : checker_(checker), key_(std::move(key)) {
    if (known) aliases_ = *known;
  }
  const core::NameSet& aliases() const { return aliases_; }

  void enterFile(const ChainFile& file) override {
    if (!done_ && !checked_ && chainKey(file.path) == key_) checked_ = &file;
  }
  void command(const ChainFile& file, std::string_view script,
               const core::ScriptCommand& command) override {
    if (&file == checked_) {
      checker_.command(script, command);
      if (command.words.size() == 2 && sameName(command.name(script), "exec")) {
        current_.offset = command.words[1].start;
        current_.length = command.words[1].length;
        current_.target = std::string(command.words[1].text(script));
      }
      return;
    }
    if (command.words.size() >= 2 && sameName(command.name(script), "alias"))
      aliases_.emplace(command.words[1].text(script));
  }
  void missingFile(const ChainFile& from, const ExecLine& exec, ExecTrouble trouble,
                   bool quiet) override {
    if (&from == checked_) checker_.execTrouble(exec, trouble, quiet, false);
  }
  void loop(const ChainFile& from, const ExecLine& exec, ExecTrouble trouble) override {
    if (&from == checked_)
      checker_.execTrouble(exec, trouble, false, false);
    else if (checked_ && trouble == ExecTrouble::Loop && chainKey(exec.target) == key_ &&
             !reported_) {
      // The loop closes deeper in the chain: it is this file's exec that starts it.
      checker_.execTrouble(current_, trouble, false, true);
      reported_ = true;
    }
  }
  void leaveFile(const ChainFile& file) override {
    if (&file == checked_) {
      checked_ = nullptr;
      done_ = true;
    }
  }

 private:
  Checker& checker_;
  std::string key_;
  core::NameSet aliases_;
  const ChainFile* checked_ = nullptr;
  bool done_ = false;
  bool reported_ = false;
  ExecLine current_;
};

}  // namespace

CheckResult checkInChain(std::string_view text, const std::string& relPath, FileSource& files,
                         const core::Vocabulary& vocabulary, const CheckOptions& options,
                         const StartOptions& start) {
  OverlaySource overlay(files);
  overlay.set(relPath, text);
  Checker checker(vocabulary, false, options);
  ChainCheck chain(checker, chainKey(relPath), options.chainAliases);
  checker.setChainAliases(&chain.aliases());
  std::vector<std::string> startFiles = gameStartFiles(
      overlay, options.kind == ConfigKind::Player ? GameRole::Client : GameRole::DedicatedServer,
      start);
  startFiles.push_back(relPath);
  walkChain(overlay, startFiles, chain);
  CheckResult result = checker.finish(text);
  for (const std::string& name : chain.aliases()) result.aliases.insert(name);
  return result;
}

std::vector<Problem> checkLine(std::string_view line, const core::Vocabulary& vocabulary) {
  Checker checker(vocabulary, true, CheckOptions{});
  core::ScriptScanner().scan(line, checker);
  return checker.finish(line).problems;
}

std::string_view severityName(Severity severity) {
  switch (severity) {
    case Severity::Error:
      return "ошибка";
    case Severity::Warning:
      return "предупреждение";
    case Severity::Note:
      return "замечание";
  }
  return "ошибка";
}

std::string_view problemKindName(ProblemKind kind) {
  switch (kind) {
    case ProblemKind::UnclosedQuote:
      return "unclosed-quote";
    case ProblemKind::NulByte:
      return "nul-byte";
    case ProblemKind::CommandTooLong:
      return "command-too-long";
    case ProblemKind::CommandInComment:
      return "command-in-comment";
    case ProblemKind::UnknownWord:
      return "unknown-word";
    case ProblemKind::BadKeyName:
      return "bad-key-name";
    case ProblemKind::UnpairedAlias:
      return "unpaired-alias";
    case ProblemKind::AliasCycle:
      return "alias-cycle";
    case ProblemKind::AliasNameTooLong:
      return "alias-name-too-long";
    case ProblemKind::AliasNameTaken:
      return "alias-name-taken";
    case ProblemKind::SetinfoKey:
      return "setinfo-key";
    case ProblemKind::SetinfoValue:
      return "setinfo-value";
    case ProblemKind::UserinfoTooLong:
      return "userinfo-too-long";
    case ProblemKind::KeyBoundTwice:
      return "key-bound-twice";
    case ProblemKind::BadValue:
      return "bad-value";
    case ProblemKind::WrongSide:
      return "wrong-side";
    case ProblemKind::UnknownModule:
      return "unknown-module";
    case ProblemKind::ExecFailed:
      return "exec-failed";
  }
  return "unknown";
}

}  // namespace brindle::editor
