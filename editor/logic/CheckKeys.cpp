// The checks of keys: names `bind` and `unbind` do not take, and keys bound twice in one file.
//
// Key_StringToKeynum (engine/client/keys.c of github.com/FWGS/xash3d-fwgs, the client's key
// table of the same engine): a name of one character is that character's code, exactly as
// written; a longer name is looked up in the key table without regard to letter case. The
// keyboard sends letters in lower case, so `bind "P"` binds a code no key sends, and the p key
// keeps the bind it had.
#include <string>

#include "core/Text.h"
#include "editor/logic/CheckState.h"

namespace brindle::editor::check {

using core::ScriptCommand;
using core::ScriptWord;

void Checker::key(std::string_view script, const ScriptCommand& cmd, bool unbind) {
  const auto words = cmd.words;
  if (words.size() < 2) return;
  const ScriptWord& w = words[1];
  const std::string_view key = w.text(script);
  const std::string_view command = unbind ? "unbind" : "bind";
  // Any name of one character is that character's key; only an upper-case letter names no key,
  // since the game sends letters in lower case.
  const bool anySingle = key.size() == 1 && !(key[0] >= 'A' && key[0] <= 'Z');
  if (!anySingle && !vocabulary_.isEngineKey(key)) {
    std::string message;
    const char lower = core::asciiLower(key.empty() ? '\0' : key[0]);
    if (key.empty())
      message = "пустое имя клавиши: " + std::string(command) + " его не примет";
    else if (key.size() == 1 && lower != key[0] &&
             vocabulary_.isEngineKey(std::string_view(&lower, 1)))
      message = q(key) + " — клавиша, которой нет на клавиатуре: имя из одного символа игра " +
                "берёт как код этого символа, а клавиатура посылает строчные буквы, так что " +
                "клавиша " + q(std::string_view(&lower, 1)) +
                " останется с прежней привязкой; вероятно, имелась в виду клавиша " +
                q(std::string_view(&lower, 1));
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

void Checker::unbindAll() {
  singleBinds_.fill(KeyUse{});
  longBinds_.clear();
}

void Checker::rebinds(std::string_view text) {
  // Rebinds come in the order of the later bind, the order of the text.
  LineCounter lines(text);
  for (const Rebind& r : rebinds_)
    add(r.earlier.offset, r.earlier.length, Severity::Warning, ProblemKind::KeyBoundTwice,
        "клавиша " + q(r.earlier.key) + " привязана ещё раз в строке " +
            std::to_string(lines.lineOf(r.later) + 1) + ": эта привязка не действует");
}

}  // namespace brindle::editor::check
