#pragma once
// Completion of command names in the editor: the commands, variables and aliases that start
// with what the user has typed, and the edit that accepting one of them makes.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/ConsoleScript.h"

namespace brindle::editor {

struct Completion {
  std::string word;      // CP1251, as the lists or the file write it
  core::TokenKind kind;  // Command, Action, Variable or AliasName
};

// Known commands and variables and the file's aliases whose names start with `prefix`, letter
// case ignored, sorted by name; at most `limit` of them. The server's own words only with
// `serverWords` (a file that looks like a server's or an add-on's config): a player has no use
// for them.
std::vector<Completion> completionsFor(std::string_view prefix, const core::Vocabulary& vocabulary,
                                       const core::NameSet& aliases, std::size_t limit = 500,
                                       bool serverWords = true);

// Accepting a completion for the word at the caret (core::wordAt) of a line: the part of the
// line to replace, the text that replaces it and where the caret goes, all in the line. A
// variable that ends its command gets ` ""` with the caret between the quotes, as the
// dictionary inserts variables; inside the quoted value of an alias or bind it gets nothing.
// The inserted word stays a word of its own, as the tokenizer splits the line: a blank is put
// between it and a neighbour it would otherwise join ("+attack" before "x" of "(x"), and a
// one-character word of its own at the caret ("(", ":") is kept, the word going before it or
// after it, by the caret.
struct CompletionEdit {
  core::Offset start = 0;
  core::Offset end = 0;
  std::string text;
  core::Offset caret = 0;
};
CompletionEdit completionEdit(std::string_view line, core::Offset caret, const core::WordAt& word,
                              const Completion& completion);

}  // namespace brindle::editor
