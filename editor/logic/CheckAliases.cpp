// The checks of aliases: names Cmd_Alias_f refuses, "+" aliases without their "-" partner, and
// aliases that call each other without a wait (see ConfigCheck.h for the engine's rules).
#include <algorithm>
#include <array>
#include <unordered_map>

#include "editor/logic/CheckState.h"

namespace brindle::editor::check {

using core::sameName;
using core::ScriptCommand;
using core::ScriptWord;

namespace {

// Names Cmd_Alias_f refuses in this game besides the names of variables.
constexpr std::array<std::string_view, 5> kReservedAliasNames = {
    "cl_autobuy", "cl_rebuy", "gl_ztrick", "gl_ztrick_old", "gl_d3dflip"};

bool isReserved(std::string_view name) {
  return std::any_of(kReservedAliasNames.begin(), kReservedAliasNames.end(),
                     [&](std::string_view n) { return sameName(n, name); });
}

}  // namespace

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
  if (isReserved(name)) {
    add(w.start, w.length, Severity::Error, ProblemKind::AliasNameTaken,
        "имя " + q(name) + " игра оставляет за собой: алиас не создастся");
    return;
  }
  if (lineOnly_) return;
  defs_.push_back({name, w.start, w.length, false, {}, {}});
  firstDef_.try_emplace(name, defs_.size() - 1);
  lastDef_[static_cast<std::size_t>(cmd.depth)] = static_cast<long>(defs_.size() - 1);
}

void Checker::unpairedAliases(const core::NameSet& aliases) {
  for (std::size_t i = 0; i < defs_.size(); ++i) {
    const AliasDef& def = defs_[i];
    if (firstDef_.at(def.name) != i) continue;
    if (def.name.size() < 2 || (def.name[0] != '+' && def.name[0] != '-')) continue;
    // "- None -" and the like are no key actions: a key binds "+name" only to a word.
    if (static_cast<unsigned char>(def.name[1]) <= ' ') continue;
    std::string partner(def.name);
    partner[0] = def.name[0] == '+' ? '-' : '+';
    if (knownAlias(partner, aliases)) continue;
    add(def.offset, def.length, Severity::Warning, ProblemKind::UnpairedAlias,
        def.name[0] == '+'
            ? "алиас " + q(def.name) + " без парного " + q(partner) +
                  ": при отпускании клавиши игра выполнит " + q(partner) + " и не найдёт его"
            : "алиас " + q(def.name) + " без парного " + q(partner) + ": клавиша с " + q(partner) +
                  " не сработает");
  }
}

void Checker::cycles() {
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
}

}  // namespace brindle::editor::check
