#include "editor/logic/ConfigCompletion.h"

#include <algorithm>

#include "core/Text.h"

namespace brindle::editor {

namespace {

using core::asciiLessNoCase;

// The characters the console makes words of their own outside quotes (COM_Parse,
// rehlds/engine/common.cpp).
bool standsAlone(char c) { return std::string_view("{}()',:").find(c) != std::string_view::npos; }

// Whether a character joins the word next to it: anything but a blank, the ';' that ends a
// command, a quote (a quoted word ends at its closing quote) and the characters that stand alone.
bool joins(char c) {
  return static_cast<unsigned char>(c) > ' ' && c != ';' && c != '"' && !standsAlone(c);
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && core::sameName(s.substr(0, prefix.size()), prefix);
}

}  // namespace

std::vector<Completion> completionsFor(std::string_view prefix, const core::Vocabulary& vocabulary,
                                       const core::NameSet& aliases, std::size_t limit,
                                       bool serverWords) {
  std::vector<Completion> out;
  const auto& entries = vocabulary.entries();
  auto it = std::lower_bound(entries.begin(), entries.end(), prefix,
                             [](const core::Vocabulary::Entry& e, std::string_view p) {
                               return asciiLessNoCase(e.name, p);
                             });
  for (; it != entries.end() && startsWithNoCase(it->name, prefix); ++it) {
    if (!serverWords && it->side == core::WordSide::Server) continue;
    core::TokenKind kind = core::TokenKind::Variable;
    if (it->kind == core::Vocabulary::Kind::Command)
      kind = (it->name[0] == '+' || it->name[0] == '-') ? core::TokenKind::Action
                                                        : core::TokenKind::Command;
    out.push_back({it->name, kind});
  }
  for (const std::string& alias : aliases) {
    if (!startsWithNoCase(alias, prefix)) continue;
    if (vocabulary.isCommand(alias) || vocabulary.isVariable(alias)) continue;
    out.push_back({alias, core::TokenKind::AliasName});
  }
  std::sort(out.begin(), out.end(), [](const Completion& a, const Completion& b) {
    return asciiLessNoCase(a.word, b.word);
  });
  if (out.size() > limit) out.resize(limit);
  return out;
}

CompletionEdit completionEdit(std::string_view line, core::Offset caret, const core::WordAt& word,
                              const Completion& completion) {
  CompletionEdit edit;
  edit.start = word.textStart;
  edit.end = word.textEnd;
  const bool quotedWord = word.found && word.token.quoted;
  if (word.found && !quotedWord && word.textEnd - word.textStart == 1 &&
      static_cast<std::size_t>(word.textStart) < line.size() &&
      standsAlone(line[static_cast<std::size_t>(word.textStart)])) {
    // "(" is no prefix of a command: the new word goes beside it.
    edit.start = edit.end = caret <= word.textStart ? word.textStart : word.textEnd;
  }
  const auto charAt = [&line](core::Offset at) {
    return at >= 0 && static_cast<std::size_t>(at) < line.size()
               ? line[static_cast<std::size_t>(at)]
               : ' ';
  };
  const std::string& w = completion.word;
  const bool spaceBefore = !w.empty() && joins(w.front()) && joins(charAt(edit.start - 1));
  if (spaceBefore) edit.text = " ";
  edit.text += w;
  edit.caret = edit.start + static_cast<core::Offset>(edit.text.size());
  if (completion.kind == core::TokenKind::Variable && word.endOfCommand && !word.insideQuotes &&
      !quotedWord) {
    edit.text += " \"\"";
    edit.caret = edit.start + static_cast<core::Offset>(edit.text.size()) - 1;
  } else if (!w.empty() && joins(w.back()) && joins(charAt(edit.end))) {
    edit.text += ' ';
  }
  return edit;
}

}  // namespace brindle::editor
