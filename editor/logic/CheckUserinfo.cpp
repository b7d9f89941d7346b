// The checks of setinfo and of the user-info string its keys share with some variables.
// Info_SetValueForStarKey (rehlds/engine/info.cpp, limits in info.h) refuses keys and values of
// MAX_KV_LEN (127) characters or more, keys that start with '*', keys and values with a backslash,
// '"' or "..", an empty key, and a pair that would make the string reach MAX_INFO_STRING (256)
// bytes with its NUL.
#include <algorithm>
#include <array>

#include "editor/logic/CheckState.h"

namespace brindle::editor::check {

using core::ScriptCommand;
using core::ScriptWord;

namespace {

// The keys the game keeps when the user-info string is full, dropping setinfo keys to make room
// for them (Info_IsKeyImportant, rehlds/engine/info.cpp).
constexpr std::array<std::string_view, 8> kImportantKeys = {
    "name", "model", "rate", "topcolor", "bottomcolor", "cl_updaterate", "cl_lw", "cl_lc"};

}  // namespace

bool Checker::isImportantKey(std::string_view name) {
  return std::any_of(kImportantKeys.begin(), kImportantKeys.end(),
                     [&](std::string_view n) { return core::sameName(n, name); });
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
    const bool important = isImportantKey(key);
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

}  // namespace brindle::editor::check
