// The walk over a config's commands: each command goes to the checks of its concern (the
// Check*.cpp files), and the whole-file checks run at the end.
#include "editor/logic/ConfigCheck.h"

#include <algorithm>
#include <cstring>

#include "editor/logic/CheckState.h"

namespace brindle::editor {

namespace check {

using core::sameName;
using core::ScriptCommand;
using core::ScriptWord;

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

namespace {

// Whether any of the eight bytes of `x` is `b`.
inline bool hasByte(std::uint64_t x, unsigned char b) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  const std::uint64_t y = x ^ (kOnes * b);
  return ((y - kOnes) & ~y & (kOnes * 0x80)) != 0;
}

}  // namespace

Offset LineCounter::lineOf(Offset offset) {
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

Checker::Checker(const core::Vocabulary& vocabulary, bool lineOnly, const CheckOptions& options)
    : vocabulary_(vocabulary), lineOnly_(lineOnly), options_(options) {
  lastDef_.fill(-1);
}

bool Checker::begin(std::string_view text) {
  if (const Offset start = ownFormatStart(text, vocabulary_); start >= 0) {
    const std::size_t end = text.find_first_of("\r\n", at(start));
    add(start, static_cast<Offset>((end == std::string_view::npos ? text.size() : end) - at(start)),
        Severity::Note, ProblemKind::OwnFormat,
        "файл в своём формате, не скрипт консоли: его читает плагин или меню настроек игры, а "
        "не консоль, поэтому проверка его строки не разбирает");
    return false;
  }
  gameWritten_ = options_.kind == ConfigKind::Player && isGameWritten(text);
  relay_ = !lineOnly_ && isRelayConfig(text, vocabulary_);
  // A plugin that reads its file itself and hands the other lines to the console skips the
  // lines it takes for comments; the console never sees them.
  if (options_.kind == ConfigKind::Plugin && !lineOnly_) {
    if (const Offset start = hashCommentStart(text); start >= 0) {
      hashComments_ = true;
      const std::size_t end = text.find_first_of("\r\n", at(start));
      add(start,
          static_cast<Offset>((end == std::string_view::npos ? text.size() : end) - at(start)),
          Severity::Note, ProblemKind::OwnFormat,
          "строки с «#» — комментарии плагина: файл читает сам плагин и пропускает их; "
          "консоль таких комментариев не знает");
    }
  }
  return true;
}

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

bool Checker::knownAlias(std::string_view word, const core::NameSet& aliases) const {
  return aliases.find(word) != aliases.end() ||
         (chainAliases_ && chainAliases_->find(word) != chainAliases_->end());
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
    candidates_.push_back({words[0].start, words[0].length, words[0].textStart(),
                           words[0].textLength(), cmd.depth, words.size()});

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
        if (sameName(name, "unbindall") && depth == 0) unbindAll();
        break;
      default:
        break;
    }
  }
  if (known.variable && !known.command) {
    if (depth == 0 && !lineOnly_ && !inComment) side(name, known, words[0]);
    if (words.size() >= 2) {
      if (!words[1].quoted && words[1].text(script) == "=") {
        if (!lineOnly_ && !inComment) equalsSign(script, cmd);
      } else if (known.info && !known.info->values.empty()) {
        const std::string_view value = words[1].text(script);
        if (!known.info->values.accepts(value))
          add(words[1].start, words[1].length, Severity::Warning, ProblemKind::BadValue,
              q(name) + ": значение " + q(value) + " вне допустимых (" +
                  known.info->values.describe() + ")");
      }
      if (depth == 0 && core::isUserinfoVariable(name)) userinfo(name, words[1].text(script), cmd);
    }
  }
}

CheckResult Checker::finish(std::string_view text) {
  CheckResult result;
  if (const auto nul = text.find('\0'); nul != std::string_view::npos)
    add(static_cast<Offset>(nul), 1, Severity::Error, ProblemKind::NulByte,
        "нулевой байт: игра не прочтёт файл дальше этого места");

  if (!lineOnly_) {
    for (const auto& [name, def] : firstDef_) result.aliases.emplace(name);
    unknownWords(text, result.aliases);
    unpairedAliases(result.aliases);
    cycles();
  }
  rebinds(text);

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

}  // namespace check

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
    case ProblemKind::EqualsSign:
    case ProblemKind::ClientBuild:
    case ProblemKind::OwnFormat:
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
  check::Checker checker(vocabulary, false, options);
  checker.setChainAliases(options.chainAliases);
  if (checker.begin(text)) core::ScriptScanner().scan(text, checker);
  return checker.finish(text);
}

CheckResult checkConfig(std::string_view text, const core::KnownWords& words) {
  return checkConfig(text, core::Vocabulary(words));
}

std::vector<Problem> checkLine(std::string_view line, const core::Vocabulary& vocabulary) {
  check::Checker checker(vocabulary, true, CheckOptions{});
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
    case ProblemKind::EqualsSign:
      return "equals-sign";
    case ProblemKind::ClientBuild:
      return "client-build-words";
    case ProblemKind::OwnFormat:
      return "own-format";
  }
  return "unknown";
}

}  // namespace brindle::editor
