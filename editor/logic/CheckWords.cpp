// The checks of words: what the game does with a word no list knows, and words of the other
// side (a server's variable in a player's config, a client's in a server's).
//
// Cmd_ExecuteString (rehlds/engine/cmd.cpp) looks a command word up among the commands, then the
// aliases, then the variables (Cvar_Command); a word none of them knows goes to the server by
// Cmd_ForwardToServer when the client is connected, where a server plugin may have registered it.
// A player's unknown word is therefore a note, and a warning only where it is a likely
// misspelling of a known word. A server has nobody to hand such a word to: there it is a warning.
#include <algorithm>
#include <initializer_list>
#include <vector>

#include "core/Text.h"
#include "editor/logic/CheckState.h"

namespace brindle::editor::check {

using core::sameName;
using core::ScriptCommand;
using core::ScriptWord;

namespace {

// Unknown words for which a close known name is looked for; beyond that, a file full of
// garbage would spend its time comparing.
constexpr std::size_t kMaxSuggestions = 200;

// Examples the note on another client build's variables names.
constexpr std::size_t kBuildExamples = 3;

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
      const bool same = core::asciiLower(a[i - 1]) == core::asciiLower(b[j - 1]);
      std::size_t v = std::min({prev[j] + 1, cur[j - 1] + 1, prev[j - 1] + (same ? 0 : 1)});
      if (i > 1 && j > 1 && core::asciiLower(a[i - 1]) == core::asciiLower(b[j - 2]) &&
          core::asciiLower(a[i - 2]) == core::asciiLower(b[j - 1]))
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

bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool isKeyChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= '0' && u <= '9') || ((u | 0x20) >= 'a' && (u | 0x20) <= 'z') || c == '_' ||
         c == '.' || c == '-';
}

}  // namespace

namespace {

// The lines of a text with something on them, blanks trimmed, a UTF-8 byte-order mark skipped.
template <typename F>
void forEachLine(std::string_view text, std::size_t limit, F&& f) {
  for (std::size_t from = 0; from < text.size() && from < limit;) {
    std::size_t end = text.find_first_of("\r\n", from);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(from, end - from);
    const std::size_t start = from;
    from = end + 1;
    if (start == 0 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
    line = trimmed(line);
    if (!line.empty() && !f(line, start)) break;
  }
}

bool isComment(std::string_view line) { return line.substr(0, 2) == "//"; }

// A line as Cvar_WriteVariables and Key_WriteBindings write it (rehlds/engine/cvar.cpp,
// "%s \"%s\""; the client's bindings "bind \"%s\" \"%s\""): a name, a blank, a quoted value.
bool writtenByTheGame(std::string_view line) {
  const std::size_t blank = line.find(' ');
  if (blank == std::string_view::npos || blank == 0) return false;
  std::string_view rest = line.substr(blank + 1);
  if (line.substr(0, blank) == "bind") {
    if (rest.size() < 2 || rest.front() != '"') return false;
    const std::size_t close = rest.find('"', 1);
    if (close == std::string_view::npos || close + 1 >= rest.size()) return false;
    rest = rest.substr(close + 1);
    if (rest.front() != ' ') return false;
    rest.remove_prefix(1);
  }
  return rest.size() >= 2 && rest.front() == '"' && rest.back() == '"' &&
         rest.find('"', 1) == rest.size() - 1;
}

}  // namespace

bool isGameWritten(std::string_view text) {
  // The first line Host_WriteConfiguration writes.
  constexpr std::string_view kHeader =
      "// This file is overwritten whenever you change your user settings in the game.";
  if (text.substr(0, 1024).find(kHeader) != std::string_view::npos) return true;
  // Its shape: "exec userconfig.cfg" last (comments after it aside), and before it either
  // "unbindall" first or the lines the game writes, nearly all of them: other client builds
  // write their own header and keep the rest. The last line is looked at first, so that a text
  // of another shape costs nothing more.
  std::string_view last;
  for (std::size_t end = text.size(); end > 0 && last.empty();) {
    const std::size_t br = text.find_last_of("\r\n", end - 1);
    const std::size_t from = br == std::string_view::npos ? 0 : br + 1;
    const std::string_view line = trimmed(text.substr(from, end - from));
    if (!line.empty() && !isComment(line)) last = line;
    if (br == std::string_view::npos) break;
    end = br;
  }
  if (last.size() < 5 || !sameName(last.substr(0, 5), "exec ")) return false;
  std::string_view target = trimmed(last.substr(5));
  if (target.size() >= 2 && target.front() == '"' && target.back() == '"')
    target = target.substr(1, target.size() - 2);
  if (!sameName(target, "userconfig.cfg")) return false;
  std::string_view first;
  std::size_t lines = 0;
  std::size_t written = 0;
  forEachLine(text, text.size(), [&](std::string_view line, std::size_t) {
    if (isComment(line)) return true;
    if (first.empty()) {
      first = line;
      if (sameName(first, "unbindall")) return false;
    }
    ++lines;
    if (writtenByTheGame(line)) ++written;
    return true;
  });
  return sameName(first, "unbindall") || (lines >= 20 && written * 10 >= lines * 9);
}

bool isRelayConfig(std::string_view text, const core::Vocabulary& vocabulary) {
  // Two of the relay's own commands (origin hltv, read by the proxy, not a game server) among
  // the first lines tell its configuration.
  std::size_t relay = 0;
  std::size_t seen = 0;
  forEachLine(text, 64 * 1024, [&](std::string_view line, std::size_t) {
    if (isComment(line)) return true;
    std::size_t k = 0;
    while (k < line.size() && static_cast<unsigned char>(line[k]) > ' ' && line[k] != ';') ++k;
    const core::Vocabulary::Known known = vocabulary.lookup(line.substr(0, k));
    if (known.info && known.info->origin == "hltv" && known.side == core::WordSide::Server)
      ++relay;
    return relay < 2 && ++seen < 200;
  });
  return relay >= 2;
}

Offset hashCommentStart(std::string_view text) {
  std::size_t hashes = 0;
  bool slashes = false;
  Offset first = -1;
  forEachLine(text, text.size(), [&](std::string_view line, std::size_t start) {
    if (isComment(line)) {
      slashes = true;
      return false;
    }
    if (line[0] == '#') {
      if (first < 0)
        first = static_cast<Offset>(
            start + static_cast<std::size_t>(line.data() - text.substr(start).data()));
      ++hashes;
    }
    return true;
  });
  return !slashes && hashes >= 3 ? first : -1;
}

Offset ownFormatStart(std::string_view text, const core::Vocabulary& vocabulary) {
  // The shape is judged on the first lines: a plugin's file is short, and a long script is not
  // read twice.
  constexpr std::size_t kLines = 400;
  std::size_t own = 0;       // "[section]", "key = value" and braces
  std::size_t data = 0;      // lines that start with no word at all: "-1,0,2", "341 -869 51"
  std::size_t upper = 0;     // lines that start with an unknown upper-case word: "MIN_DELAY 0.8"
  std::size_t console = 0;   // lines that start like a console command
  std::size_t sections = 0;  // "[section]" lines, counted among the own ones too
  std::size_t hashComments = 0;
  std::size_t slashComments = 0;
  Offset first = -1;  // of the own lines
  Offset firstData = -1;
  Offset firstUpper = -1;
  std::size_t seen = 0;
  for (std::size_t from = 0; from < text.size() && seen < kLines;) {
    std::size_t end = text.find_first_of("\r\n", from);
    if (end == std::string_view::npos) end = text.size();
    const std::size_t start = from;
    std::string_view line = text.substr(from, end - from);
    from = end + 1;
    if (start == 0 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
    line = trimmed(line);
    if (line.empty()) continue;
    ++seen;
    const auto offset = static_cast<Offset>(
        start + static_cast<std::size_t>(line.data() - text.substr(start).data()));
    if (line.substr(0, 2) == "//") {
      ++slashComments;
      continue;
    }
    if (line[0] == '#' || line[0] == ';') {  // a comment of such a file
      ++hashComments;
      continue;
    }
    std::size_t k = 0;
    while (k < line.size() && isKeyChar(line[k])) ++k;
    const std::string_view key = line.substr(0, k);
    const bool consoleWord = vocabulary.isCommand(key) || vocabulary.isVariable(key);
    while (k < line.size() && isBlank(line[k])) ++k;
    // A console word before the '=' makes a console line written wrong, not another format.
    // "[section]", "key = value", and the braces of a block ("{ NUMBER 0 1 }" in the options
    // dialog's description of its settings, user.cfg and settings.cfg): no console script has
    // a command named "{".
    // A table's "Event Name = (...)" has its '=' further on, before any quote.
    const std::size_t equals = line.find('=', k);
    const bool laterEquals = !key.empty() && !consoleWord && k > 0 && k < line.size() &&
                             equals != std::string_view::npos && line.find('"') > equals &&
                             line.find("//") > equals;
    const bool shape = (line.front() == '[' && line.back() == ']') || line.front() == '{' ||
                       line.front() == '}' ||
                       (!key.empty() && k < line.size() && line[k] == '=' &&
                        !(line.size() > k + 1 && line[k + 1] == '=') && !consoleWord) ||
                       laterEquals;
    // A line that starts with no word (a number, a sign before a number, punctuation) is no
    // command of the console; an upper-case unknown word may be a plugin's variable
    // ("ChickenVision 90") or a key of the plugin's own table ("MIN_DELAY 0.8").
    const auto c0 = static_cast<unsigned char>(line[0]);
    const auto c1 =
        line.size() > 1 ? static_cast<unsigned char>(line[1]) : static_cast<unsigned char>(0);
    const auto letter = [](unsigned char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; };
    const bool word = consoleWord || letter(c0) || c0 == '_' || c0 == '"' || c0 >= 0x80 ||
                      ((c0 == '+' || c0 == '-' || c0 == '/') && letter(c1));
    if (line.front() == '[' && line.back() == ']') ++sections;
    if (shape) {
      ++own;
      if (first < 0) first = offset;
    } else if (!word) {
      ++data;
      if (firstData < 0) firstData = offset;
    } else if (!consoleWord && c0 >= 'A' && c0 <= 'Z') {
      ++upper;
      if (firstUpper < 0) firstUpper = offset;
    } else {
      ++console;
    }
  }
  const auto earliest = [](std::initializer_list<Offset> offsets) {
    Offset out = -1;
    for (const Offset o : offsets)
      if (o >= 0 && (out < 0 || o < out)) out = o;
    return out;
  };
  // Mostly "[section]", "key = value" and braces.
  if (own >= 2 && own > console + upper + data) return first;
  // '#' comments all through, never "//", and lines no lower-case console word starts.
  if (hashComments >= 3 && slashComments == 0 && own + data + upper >= 2 &&
      own + data + upper > console)
    return earliest({first, firstData, firstUpper});
  // Sections with '#' or ';' comments: an ini file whatever its lines (a bot's chat phrases).
  if (sections >= 2 && hashComments >= 3) return earliest({first, firstData, firstUpper});
  // Twice as many lines without a word as lines with one (a table of numbers).
  if (own + data >= 3 && own + data > 2 * (console + upper)) return earliest({first, firstData});
  return -1;
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
  if (relay_) return;  // the relay registers name, rate and the like itself
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

void Checker::equalsSign(std::string_view script, const ScriptCommand& cmd) {
  // Cvar_Command sets the variable to its first argument, the '=' (rehlds/engine/cvar.cpp).
  const auto words = cmd.words;
  const std::string_view name = words[0].text(script);
  const std::string_view value = words.size() >= 3 ? words[2].text(script) : std::string_view();
  add(words[0].start, words[1].end() - words[0].start, Severity::Warning, ProblemKind::EqualsSign,
      q(name) + ": консоль возьмёт значением «=»" + (value.empty() ? "" : ", а не " + q(value)) +
          "; «=» между именем и значением не пишется" +
          (value.empty() ? "" : ": " + q(std::string(name) + " " + std::string(value))));
}

void Checker::unknownWords(std::string_view text, const core::NameSet& aliases) {
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
  const bool server = options_.kind == ConfigKind::Server;
  const bool player = options_.kind == ConfigKind::Player;
  struct Verdict {
    Severity severity = Severity::Warning;
    ProblemKind kind = ProblemKind::UnknownWord;
    std::string message;
  };
  // A word that comes back again and again is judged once; a note is given once.
  std::unordered_map<std::string_view, Verdict, core::NoCaseHash, core::NoCaseEqual> verdicts;
  // The variables of a config.cfg the game wrote that no source knows.
  const Candidate* buildFirst = nullptr;
  core::NameSet buildNames;
  std::vector<std::string_view> buildExamples;
  for (const Candidate& c : candidates_) {
    const std::string_view word = text.substr(at(c.textOffset), at(c.textLength));
    if (hashComments_ && c.depth == 0 && word[0] == '#') continue;
    if (knownAlias(word, aliases)) continue;
    if (word.size() > 1 && (word[0] == '+' || word[0] == '-')) {
      std::string partner(word);
      partner[0] = word[0] == '+' ? '-' : '+';
      if (knownAlias(partner, aliases)) continue;  // the pair check tells
    }
    const std::string_view prefix = wordPrefix(word);
    const bool stock = !prefix.empty() && isStockPrefix(prefix);
    const bool letters = !word.empty() && ((word[0] | 0x20) >= 'a' && (word[0] | 0x20) <= 'z');
    if ((plugin && letters) || (server && !prefix.empty() && !stock)) {
      const std::string id = core::asciiLower(prefix);
      auto it = std::find_if(modules.begin(), modules.end(),
                             [&](const auto& m) { return m.first == id; });
      if (it == modules.end()) {
        modules.push_back({id, Module{c.offset, c.length, {}}});
        it = modules.end() - 1;
      }
      it->second.names.emplace(word);
      continue;
    }
    // The game writes into config.cfg the archived variables the running client registered
    // (Host_WriteConfiguration, Cvar_WriteVariables): a variable line there that no source knows
    // is one of another client build.
    const bool nameChars = std::all_of(word.begin(), word.end(), [](char ch) {
      return core::isAsciiLetter(ch) || (ch >= '0' && ch <= '9') || ch == '_' || ch == '.';
    });
    if (gameWritten_ && c.depth == 0 && c.words >= 2 && nameChars) {
      if (!buildFirst) buildFirst = &c;
      if (buildNames.emplace(word).second && buildExamples.size() < kBuildExamples)
        buildExamples.push_back(word);
      continue;
    }
    auto [known, added] = verdicts.try_emplace(word);
    Verdict& v = known->second;
    if (!added) {
      if (v.severity != Severity::Note) add(c.offset, c.length, v.severity, v.kind, v.message);
      continue;
    }
    const std::string_view bare =
        word.size() > 1 && (word[0] == '+' || word[0] == '-') ? word.substr(1) : std::string_view();
    const std::size_t equals = word.find('=');
    const std::string plain = "неизвестная команда или переменная " + q(word);
    if (word[0] == '#' || word[0] == ';') {
      v.message = plain + ": «" + std::string(1, word[0]) +
                  "» не начинает комментарий, комментарий в конфиге начинается с «//»";
    } else if (word[0] == '/' && (c.depth == 0 || !player)) {
      // On a line of its own it is a comment written with one slash; in a bind it is a chat
      // command of a server's plugin, sent on like any other word.
      v.message = plain + ": комментарий начинается с двух «/», а не с одной";
    } else if (!bare.empty() && vocabulary_.isCommand(bare) && !vocabulary_.isVariable(bare)) {
      v.message = q(word) + " — у команды " + q(bare) + " нет формы с «" + std::string(1, word[0]) +
                  "»: игра её не выполнит";
    } else if (equals != std::string_view::npos && equals > 0 &&
               (vocabulary_.isVariable(word.substr(0, equals)) ||
                vocabulary_.isCommand(word.substr(0, equals)))) {
      v.kind = ProblemKind::EqualsSign;
      v.message = q(word) +
                  " — для консоли одно слово: между именем и значением нужен пробел, "
                  "а «=» не пишется";
    } else if (const std::size_t glued = word.find_first_of("\" \t");
               glued != std::string_view::npos && glued > 0) {
      // A quote inside a word (COM_Parse ends a word only at a blank) or a blank inside a
      // quoted command name: no plugin has such a name, the text is written wrong.
      const std::string_view before = trimmed(word.substr(0, glued));
      const bool knownBefore = vocabulary_.isCommand(before) || vocabulary_.isVariable(before) ||
                               knownAlias(before, aliases);
      v.message = plain + (word[glued] != '"' ? ": кавычки внутри кавычек игра не различает, "
                                                "значение разорвалось на части"
                           : glued + 1 == word.size()
                               ? ": лишняя кавычка, игра читает её как часть слова"
                               : ": перед кавычкой нужен пробел, без него игра читает кавычку "
                                 "как часть слова");
      if (knownBefore) v.message += " (имелось в виду " + q(before) + "?)";
    } else if (const std::string s = suggestion(word, aliases); !s.empty()) {
      v.message = plain + "; может быть, " + q(s) + "?";
    } else if (player) {
      v.severity = Severity::Note;
      v.message = q(word) + " неизвестна клиенту: уйдёт на сервер, если там есть такой плагин";
    } else {
      v.message = plain;
    }
    add(c.offset, c.length, v.severity, v.kind, v.message);
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
  if (buildFirst) {
    std::string examples;
    for (const std::string_view w : buildExamples)
      examples += (examples.empty() ? "" : ", ") + q(w);
    add(buildFirst->offset, buildFirst->length, Severity::Note, ProblemKind::ClientBuild,
        "переменные другой сборки клиента: " + number(buildNames.size()) + ", например " +
            examples + "; игра записала их сама, эта сборка их не знает");
  }
}

std::string Checker::suggestion(std::string_view word, const core::NameSet& aliases) {
  // A likely misspelling is a word of at least five characters with one known word clearly
  // closest: at an edit distance of at most a fifth of its length (one change up to nine
  // characters, two from ten), and no other word as close.
  if (word.size() < 5 || word.size() > 40) return {};
  const std::string id = core::asciiLower(word);
  if (const auto it = suggestions_.find(id); it != suggestions_.end()) return it->second;
  if (suggestions_.size() >= kMaxSuggestions) return {};
  const std::size_t limit = word.size() / 5;
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
      if (c != '_') out += core::asciiLower(c);
    return out;
  };
  if (!found.empty() && withoutUnderscores(found) == withoutUnderscores(word)) found.clear();
  suggestions_.emplace(id, found);
  return found;
}

}  // namespace brindle::editor::check
