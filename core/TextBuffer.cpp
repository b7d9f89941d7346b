#include "core/TextBuffer.h"

#include <algorithm>

#include "core/Text.h"

namespace brindle::core {

// ------------------------------------------------------------------ derived operations

Offset TextBuffer::textLength() const { return static_cast<Offset>(getText().size()); }

std::string TextBuffer::selText() const {
  const std::string text = getText();
  const auto start = std::min<Offset>(selStart(), static_cast<Offset>(text.size()));
  return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(selLength()));
}

CaretPos TextBuffer::caretPos() const {
  const std::string text = getText();
  const Offset caret = std::min<Offset>(selStart(), static_cast<Offset>(text.size()));
  CaretPos pos;
  Offset lineStart = 0;
  for (Offset i = 0; i < caret; ++i) {
    if (text[static_cast<std::size_t>(i)] == '\r' && i + 1 < static_cast<Offset>(text.size()) &&
        text[static_cast<std::size_t>(i) + 1] == '\n') {
      ++pos.line;
      lineStart = i + 2;
      ++i;
    }
  }
  pos.column = caret - lineStart;
  return pos;
}

LineSpan lineSpan(std::string_view text, Offset index) {
  Offset start = 0;
  for (Offset n = 0; n < index; ++n) {
    const auto br = text.find(kCrLf, static_cast<std::size_t>(start));
    if (br == std::string_view::npos) return LineSpan{static_cast<Offset>(text.size()), 0};
    start = static_cast<Offset>(br) + 2;
  }
  const auto br = text.find(kCrLf, static_cast<std::size_t>(start));
  const Offset end = br == std::string_view::npos ? static_cast<Offset>(text.size())
                                                  : static_cast<Offset>(br);
  return LineSpan{start, end - start};
}

Offset TextBuffer::lineCount() const {
  const std::string text = getText();
  Offset count = 1;
  for (std::size_t pos = text.find(kCrLf); pos != std::string::npos;
       pos = text.find(kCrLf, pos + 2))
    ++count;
  return count;
}

std::string TextBuffer::line(Offset index) const {
  if (index < 0 || index >= lineCount()) return {};
  const std::string text = getText();
  const LineSpan span = lineSpan(text, index);
  return text.substr(static_cast<std::size_t>(span.start), static_cast<std::size_t>(span.length));
}

void TextBuffer::putLine(Offset index, std::string_view replacement) {
  if (index < 0 || index >= lineCount()) return;
  const LineSpan span = lineSpan(getText(), index);
  select(span.start, span.length);
  replaceSel(replacement);
}

void TextBuffer::deleteLine(Offset index) {
  const Offset count = lineCount();
  if (index < 0 || index >= count) return;
  const LineSpan span = lineSpan(getText(), index);
  if (index + 1 < count) {
    select(span.start, span.length + 2);
  } else if (index > 0) {
    select(span.start - 2, span.length + 2);
  } else {
    select(span.start, span.length);
  }
  replaceSel({});
}

Offset TextBuffer::findText(std::string_view what, Offset start, Offset length) const {
  const std::string text = getText();
  if (what.empty() || start < 0 || start > static_cast<Offset>(text.size())) return -1;
  const auto found = text.find(what, static_cast<std::size_t>(start));
  if (found == std::string::npos || static_cast<Offset>(found) > start + length) return -1;
  return static_cast<Offset>(found);
}

// ------------------------------------------------------------------ MemoryBuffer

MemoryBuffer::MemoryBuffer(std::string_view text) : text_(normalizeBreaks(text)) {}

void MemoryBuffer::setText(std::string_view text) {
  text_ = normalizeBreaks(text);
  selStart_ = 0;
  selLength_ = 0;
  modified_ = true;
}

Offset MemoryBuffer::clampToCharacter(Offset offset) const {
  const auto size = static_cast<Offset>(text_.size());
  offset = std::clamp<Offset>(offset, 0, size);
  // An offset between the CR and the LF of a break stands before the break.
  if (offset > 0 && offset < size && text_[static_cast<std::size_t>(offset)] == '\n' &&
      text_[static_cast<std::size_t>(offset) - 1] == '\r')
    --offset;
  return offset;
}

void MemoryBuffer::setSelStart(Offset start) {
  selStart_ = clampToCharacter(start);
  selLength_ = 0;
}

void MemoryBuffer::setSelLength(Offset length) {
  const Offset end = length <= 0 ? selStart_ : selStart_ + length;
  Offset clamped = std::min<Offset>(end, static_cast<Offset>(text_.size()));
  if (clamped > selStart_ && clamped < static_cast<Offset>(text_.size()) &&
      text_[static_cast<std::size_t>(clamped)] == '\n' &&
      text_[static_cast<std::size_t>(clamped) - 1] == '\r')
    ++clamped;  // a selection never ends inside a break: it takes the whole break
  selLength_ = clamped - selStart_;
}

void MemoryBuffer::replaceSel(std::string_view text) {
  const std::string inserted = normalizeBreaks(text);
  text_.replace(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_),
                inserted);
  selStart_ += static_cast<Offset>(inserted.size());
  selLength_ = 0;
  modified_ = true;
}

Offset MemoryBuffer::findText(std::string_view what, Offset start, Offset length) const {
  if (what.empty() || start < 0 || start > static_cast<Offset>(text_.size())) return -1;
  const auto found = text_.find(what, static_cast<std::size_t>(start));
  if (found == std::string::npos || static_cast<Offset>(found) > start + length) return -1;
  return static_cast<Offset>(found);
}

// ------------------------------------------------------------------ find and replace

Offset findStep(TextBuffer& target, std::string_view what) {
  const Offset start = target.selLength() != 0 ? target.selStart() + target.selLength() : 0;
  const Offset found = target.findText(what, start, target.textLength() - start);
  if (found != -1) {
    target.setFocus();
    target.select(found, static_cast<Offset>(what.size()));
  }
  return found;
}

void replaceAll(TextBuffer& target, std::string_view find, std::string_view replacement) {
  if (find.empty()) return;
  if (replacement.find(find) != std::string_view::npos) {
    // One pass: each match is replaced once, and the search goes on after the replacement.
    Offset from = 0;
    for (;;) {
      const Offset found = target.findText(find, from, target.textLength() - from);
      if (found == -1) break;
      target.select(found, static_cast<Offset>(find.size()));
      target.replaceSel(replacement);
      from = target.selStart();
    }
    return;
  }
  target.setSelStart(0);
  while (findStep(target, find) != -1) target.replaceSel(replacement);
}

}  // namespace brindle::core
