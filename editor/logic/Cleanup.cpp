#include "editor/logic/Cleanup.h"

namespace brindle::editor {

namespace {

// Characters after which a run of one blank or one semicolon stays as it is: anything but a
// blank, a semicolon, a quote or a CR (which may begin a line break).
constexpr bool endsARunPlainly(char c) { return c != ' ' && c != ';' && c != '"' && c != '\r'; }

}  // namespace

void cleanupInPlace(std::string& text) {
  char* const s = text.data();
  const std::size_t n = text.size();
  std::size_t w = 0;  // everything before w is final; w never passes r
  std::size_t r = 0;
  while (r < n) {
    const char c = s[r];
    // Most characters stay, and so does most often a lone blank or semicolon between words.
    if ((c != ' ' && c != ';') || r + 1 == n || endsARunPlainly(s[r + 1])) {
      s[w++] = c;
      ++r;
      continue;
    }
    // A run of blanks and semicolons, [begin, r), and what follows it.
    const std::size_t begin = r;
    bool semicolons = false;           // the run holds a semicolon
    bool blankAfterSemicolon = false;  // ... and a blank after one
    for (; r < n && (s[r] == ' ' || s[r] == ';'); ++r) {
      if (s[r] == ';')
        semicolons = true;
      else if (semicolons)
        blankAfterSemicolon = true;
    }
    const bool startsWithBlank = s[begin] == ' ';
    bool blank = startsWithBlank;
    bool semicolon = semicolons;
    if (r < n && s[r] == '"') {
      // The quote ends its line once the run after it is gone: blanks, then semicolons, then
      // the break (rules 2 and 3 delete such a run before rule 7 looks).
      std::size_t after = r + 1;
      while (after < n && s[after] == ' ') ++after;
      while (after < n && s[after] == ';') ++after;
      const bool quoteEndsLine = after + 1 < n && s[after] == '\r' && s[after + 1] == '\n';
      blank = startsWithBlank && !quoteEndsLine;
      semicolon = false;
    } else if (r + 1 < n && s[r] == '\r' && s[r + 1] == '\n') {
      // Without the semicolons at its end and the blanks before them, something is left only
      // when a blank follows a semicolon, and then it ends with a semicolon.
      blank = startsWithBlank && blankAfterSemicolon;
      semicolon = blankAfterSemicolon;
    }
    if (blank) s[w++] = ' ';
    if (semicolon) s[w++] = ';';
  }
  text.resize(w);
}

std::string cleanupText(std::string_view text) {
  std::string s(text);
  cleanupInPlace(s);
  return s;
}

void cleanupBuffer(core::TextBuffer& buffer) {
  const core::Offset caret = buffer.selStart();
  buffer.setSelStart(0);
  const std::string before = buffer.getText();
  const std::string after = cleanupText(before);
  if (after != before) {
    buffer.beginUpdate();
    buffer.select(0, static_cast<core::Offset>(before.size()));
    buffer.replaceSel(after);
    buffer.endUpdate();
  }
  buffer.setSelStart(caret);
  buffer.setFocus();
}

}  // namespace brindle::editor
