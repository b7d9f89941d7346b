#include "core/Insertion.h"

namespace brindle::core {

Insertion insertionFor(InsertKind kind, long caretColumn, std::string_view first,
                       std::string_view second) {
  const bool quoted = caretColumn < kQuotedFormLimit;
  const std::string a(first);
  const std::string b(second);
  switch (kind) {
    case InsertKind::Command:
      return {a + " ;", false};
    case InsertKind::Variable:
      return {quoted ? a + " \"\"" : a + " ;", true};
    case InsertKind::Bind:
      return {quoted ? "bind \"" + a + "\" \"\"" : "bind " + a + " ;", true};
    case InsertKind::Setinfo:
      return {quoted ? "setinfo \"" + a + "\" \"" + b + "\"" : "setinfo " + a + " " + b + ";",
              false};
    case InsertKind::Alias:
      return {quoted ? "alias \"" + a + "\" \"\"" : "alias " + a + " ;", true};
  }
  return {};
}

}  // namespace brindle::core
