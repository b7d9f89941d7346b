#pragma once
// The text the value panel inserts into the editor for an entry, a bind, a setinfo or an alias,
// chosen by the caret's column: near the start of a line the quoted form, further right the
// form with a semicolon that continues a line of commands.
#include <string>
#include <string_view>

namespace brindle::core {

// Whether a value panel entry is inserted as a command or as a variable.
enum class ListKind { Command, Variable };

enum class InsertKind { Command, Variable, Bind, Setinfo, Alias };

// The column (counted from 0) from which the semicolon forms are used.
inline constexpr long kQuotedFormLimit = 8;

struct Insertion {
  std::string text;
  // The caret goes one character back after the insertion: between the last two quotes, or
  // between the blank and the semicolon.
  bool caretBack = false;
};

// `first` is the entry, the key, the setinfo parameter or the alias name; `second` is the
// setinfo value (unused by the other kinds). Texts are CP1251 and used as they are.
Insertion insertionFor(InsertKind kind, long caretColumn, std::string_view first,
                       std::string_view second = {});

// The insert kind of a request from the value panel.
inline InsertKind insertKindOf(ListKind list) {
  return list == ListKind::Command ? InsertKind::Command : InsertKind::Variable;
}

}  // namespace brindle::core
