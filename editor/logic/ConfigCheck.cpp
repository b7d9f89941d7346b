#include "editor/logic/ConfigCheck.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <unordered_map>

#include "core/Cp1251.h"

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

std::string lowered(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(lowerAscii(c));
  return out;
}

template <std::size_t N>
bool isOneOf(std::string_view name, const std::array<std::string_view, N>& names) {
  return std::any_of(names.begin(), names.end(),
                     [&](std::string_view n) { return sameName(n, name); });
}

// The variable reads its value with atof: "1", "1.0" and " 0 " all count.
bool isZeroOrOne(std::string_view value) {
  while (!value.empty() && static_cast<unsigned char>(value.front()) <= ' ') value.remove_prefix(1);
  while (!value.empty() && static_cast<unsigned char>(value.back()) <= ' ') value.remove_suffix(1);
  if (!value.empty() && value.front() == '+') value.remove_prefix(1);
  if (value.empty()) return false;
  double d = 0;
  const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), d);
  return ec == std::errc() && end == value.data() + value.size() && (d == 0.0 || d == 1.0);
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

// Line starts of a text, for line and column numbers.
std::vector<Offset> lineStarts(std::string_view text) {
  std::vector<Offset> starts{0};
  const auto n = static_cast<Offset>(text.size());
  for (Offset i = 0; i < n; ++i) {
    const char c = text[at(i)];
    if (c == '\n') {
      starts.push_back(i + 1);
    } else if (c == '\r') {
      if (i + 1 < n && text[at(i + 1)] == '\n') ++i;
      starts.push_back(i + 1);
    }
  }
  return starts;
}

Offset lineIndexOf(const std::vector<Offset>& starts, Offset offset) {
  const auto it = std::upper_bound(starts.begin(), starts.end(), offset);
  return static_cast<Offset>(it - starts.begin()) - 1;
}

class Checker : public core::ScriptVisitor {
 public:
  Checker(const core::Vocabulary& vocabulary, bool lineOnly)
      : vocabulary_(vocabulary), lineOnly_(lineOnly) {
    lastDef_.fill(-1);
  }

  void command(std::string_view script, const ScriptCommand& cmd) override;
  CheckResult finish(std::string_view text);

 private:
  // Names are views into the text being checked, which outlives the checker.
  struct AliasDef {
    std::string_view name;
    Offset offset = 0;
    Offset length = 0;
    bool waitSeen = false;
    std::vector<std::string_view> calls;  // command names of its value before the first wait
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
  void setinfo(std::string_view script, const ScriptCommand& cmd);
  void userinfo(std::string_view key, std::string_view value, const ScriptCommand& cmd);
  void cycles(std::string_view text);
  std::string suggestion(std::string_view word, const core::NameSet& aliases);

  const core::Vocabulary& vocabulary_;
  const bool lineOnly_;
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

  const core::Vocabulary::Known known = vocabulary_.lookup(name);
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
  if (known.variable && !known.command && words.size() >= 2) {
    if (known.onOff) {
      const std::string_view value = words[1].text(script);
      if (!isZeroOrOne(value))
        add(words[1].start, words[1].length, Severity::Warning, ProblemKind::SwitchValue,
            q(name) + " принимает только 0 или 1, а не " + q(value));
    }
    if (depth == 0 && isOneOf(name, kUserinfoVariables)) userinfo(name, words[1].text(script), cmd);
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
  defs_.push_back({name, w.start, w.length, false, {}});
  firstDef_.try_emplace(name, defs_.size() - 1);
  lastDef_[static_cast<std::size_t>(cmd.depth)] = static_cast<long>(defs_.size() - 1);
}

void Checker::key(std::string_view script, const ScriptCommand& cmd, bool unbind) {
  const auto words = cmd.words;
  if (words.size() < 2) return;
  const ScriptWord& w = words[1];
  const std::string_view key = w.text(script);
  const std::string_view command = unbind ? "unbind" : "bind";
  if (!vocabulary_.isKeyName(key)) {
    std::string message;
    const char lower = static_cast<char>(lowerAscii(key.empty() ? '\0' : key[0]));
    if (key.empty())
      message = "пустое имя клавиши: " + std::string(command) + " его не примет";
    else if (key.size() == 1 && lower != key[0] &&
             vocabulary_.isKeyName(std::string_view(&lower, 1)))
      message =
          q(key) + " — не имя клавиши: буквы пишутся строчными, " + q(std::string_view(&lower, 1));
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
  std::size_t best = limit + 1;
  std::string found;
  auto consider = [&](std::string_view name) {
    const std::size_t d = distance(word, name, std::min(limit, best));
    if (d < best || (d == best && d <= limit && name < found)) {
      best = d;
      found = std::string(name);
    }
  };
  for (const auto& entry : vocabulary_.entries()) consider(entry.name);
  for (const auto& name : aliases) consider(name);
  if (best > limit) found.clear();
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

  // An alias reaches another through a call made before any wait in one of its values; a
  // name that is also a command runs the command, not the alias.
  std::vector<std::vector<std::size_t>> edges(order.size());
  for (const AliasDef& def : defs_) {
    const std::size_t from = node.at(def.name);
    for (const std::string_view call : def.calls) {
      if (vocabulary_.isCommand(call)) continue;
      if (const auto it = node.find(call); it != node.end()) edges[from].push_back(it->second);
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

CheckResult Checker::finish(std::string_view text) {
  CheckResult result;
  if (const auto nul = text.find('\0'); nul != std::string_view::npos)
    add(static_cast<Offset>(nul), 1, Severity::Error, ProblemKind::NulByte,
        "нулевой байт: игра не прочтёт файл дальше этого места");

  if (!lineOnly_) {
    for (const auto& [name, def] : firstDef_) result.aliases.emplace(name);
    const core::NameSet& aliases = result.aliases;

    for (const Candidate& c : candidates_) {
      const std::string_view word = text.substr(at(c.textOffset), at(c.textLength));
      if (aliases.find(word) != aliases.end()) continue;
      if (word.size() > 1 && (word[0] == '+' || word[0] == '-')) {
        std::string partner(word);
        partner[0] = word[0] == '+' ? '-' : '+';
        if (aliases.find(partner) != aliases.end()) continue;  // the pair check tells
      }
      std::string message = "неизвестная команда или переменная " + q(word);
      if (const std::string s = suggestion(word, aliases); !s.empty())
        message += "; может быть, " + q(s) + "?";
      add(c.offset, c.length, Severity::Warning, ProblemKind::UnknownWord, std::move(message));
    }

    for (std::size_t i = 0; i < defs_.size(); ++i) {
      const AliasDef& def = defs_[i];
      if (firstDef_.at(def.name) != i) continue;
      if (def.name.size() < 2 || (def.name[0] != '+' && def.name[0] != '-')) continue;
      std::string partner(def.name);
      partner[0] = def.name[0] == '+' ? '-' : '+';
      if (aliases.find(partner) != aliases.end()) continue;
      add(def.offset, def.length, Severity::Warning, ProblemKind::UnpairedAlias,
          def.name[0] == '+'
              ? "алиас " + q(def.name) + " без парного " + q(partner) +
                    ": при отпускании клавиши игра выполнит " + q(partner) + " и не найдёт его"
              : "алиас " + q(def.name) + " без парного " + q(partner) + ": клавиша с " +
                    q(partner) + " не сработает");
    }

    cycles(text);
  }

  const std::vector<Offset> starts = lineStarts(text);
  for (const Rebind& r : rebinds_)
    add(r.earlier.offset, r.earlier.length, Severity::Warning, ProblemKind::KeyBoundTwice,
        "клавиша " + q(r.earlier.key) + " привязана ещё раз в строке " +
            std::to_string(lineIndexOf(starts, r.later) + 1) + ": эта привязка не действует");
  std::stable_sort(problems_.begin(), problems_.end(),
                   [](const Problem& a, const Problem& b) { return a.offset < b.offset; });
  for (Problem& p : problems_) {
    const Offset line = lineIndexOf(starts, p.offset);
    p.line = line + 1;
    p.column = p.offset - starts[at(line)] + 1;
  }
  result.problems = std::move(problems_);
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

std::size_t CheckResult::warningCount() const { return problems.size() - errorCount(); }

CheckResult checkConfig(std::string_view text, const core::Vocabulary& vocabulary) {
  Checker checker(vocabulary, false);
  core::ScriptScanner().scan(text, checker);
  return checker.finish(text);
}

CheckResult checkConfig(std::string_view text, const core::KnownWords& words) {
  return checkConfig(text, core::Vocabulary(words));
}

std::vector<Problem> checkLine(std::string_view line, const core::Vocabulary& vocabulary) {
  Checker checker(vocabulary, true);
  core::ScriptScanner().scan(line, checker);
  return checker.finish(line).problems;
}

std::string_view severityName(Severity severity) {
  return severity == Severity::Error ? "ошибка" : "предупреждение";
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
    case ProblemKind::SwitchValue:
      return "switch-value";
  }
  return "unknown";
}

}  // namespace brindle::editor
