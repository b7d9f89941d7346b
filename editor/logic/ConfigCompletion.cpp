#include "editor/logic/ConfigCompletion.h"

#include <algorithm>

#include "core/Text.h"

namespace brindle::editor {

namespace {

using core::asciiLessNoCase;

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

CompletionEdit completionEdit(const core::WordAt& word, const Completion& completion) {
  CompletionEdit edit;
  edit.start = word.textStart;
  edit.end = word.textEnd;
  edit.text = completion.word;
  edit.caret = edit.start + static_cast<core::Offset>(edit.text.size());
  const bool quotedWord = word.found && word.token.quoted;
  if (completion.kind == core::TokenKind::Variable && word.endOfCommand && !word.insideQuotes &&
      !quotedWord) {
    edit.text += " \"\"";
    edit.caret = edit.start + static_cast<core::Offset>(edit.text.size()) - 1;
  }
  return edit;
}

}  // namespace brindle::editor
