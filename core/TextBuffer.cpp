#include "core/TextBuffer.h"

#include <algorithm>

#include "core/FileIO.h"
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
  const Offset end =
      br == std::string_view::npos ? static_cast<Offset>(text.size()) : static_cast<Offset>(br);
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

namespace {

// The first occurrence of `what` in `text` beginning in [start, start + length], or -1.
Offset findIn(std::string_view text, std::string_view what, Offset start, Offset length) {
  if (what.empty() || start < 0 || start > static_cast<Offset>(text.size())) return -1;
  const auto found = text.find(what, static_cast<std::size_t>(start));
  if (found == std::string_view::npos || static_cast<Offset>(found) > start + length) return -1;
  return static_cast<Offset>(found);
}

}  // namespace

Offset TextBuffer::findText(std::string_view what, Offset start, Offset length) const {
  return findIn(getText(), what, start, length);
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
  std::string normalized;
  if (!breaksAreCrLf(text)) {
    normalized = normalizeBreaks(text);
    text = normalized;
  }
  const std::string_view inserted = text;
  text_.replace(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_),
                inserted);
  selStart_ += static_cast<Offset>(inserted.size());
  selLength_ = 0;
  modified_ = true;
}

Offset MemoryBuffer::findText(std::string_view what, Offset start, Offset length) const {
  return findIn(text_, what, start, length);
}

// ------------------------------------------------------------------ find and replace

Offset findStep(TextBuffer& target, std::string_view what) {
  const std::string needle = normalizeBreaks(what);
  const Offset start = target.selLength() != 0 ? target.selStart() + target.selLength() : 0;
  const Offset found = target.findText(needle, start, target.textLength() - start);
  if (found != -1) {
    target.setFocus();
    target.select(found, static_cast<Offset>(needle.size()));
  }
  return found;
}

namespace {

// Each match replaced once, the search going on after the replacement.
ReplacedText replaceEachOnce(std::string_view text, std::string_view find,
                             std::string_view replacement) {
  ReplacedText r;
  r.text.reserve(text.size());
  std::size_t i = 0;
  for (auto pos = text.find(find); pos != std::string_view::npos; pos = text.find(find, i)) {
    r.text.append(text.substr(i, pos - i)).append(replacement);
    i = pos + find.size();
    ++r.result.replacements;
    r.caret = static_cast<Offset>(r.text.size());
  }
  r.text.append(text.substr(i));
  return r;
}

// The first match from the top replaced until none is left. `out` holds the text before the
// leftmost possible match, which contains no match itself. A replacement is not copied to `out`
// straight away but fed back in front of the rest of the text (`pending`, last character
// first), so that matches it forms with what stands before or after it are found in order:
// a match formed with the text before ends inside the replacement and shows at the end of
// `out`; one formed with the text after begins in the last find.size() - 1 characters of `out`.
ReplacedText replaceUntilNoneIsLeft(std::string_view text, std::string_view find,
                                    std::string_view replacement) {
  ReplacedText r;
  std::string& out = r.text;
  out.reserve(text.size());
  std::string pending;
  const std::size_t n = find.size();
  // Bounds for rules whose literal application runs away: the text may grow to four times its
  // size (at least to the largest document), and the characters handled one by one may number
  // eight times that.
  const std::size_t maxSize = std::max<std::size_t>(4 * text.size(), kMaxDocumentBytes);
  std::size_t budget = 8 * (text.size() + maxSize);

  const auto replaceAt = [&](std::size_t at) {
    out.resize(at);
    pending.append(replacement.rbegin(), replacement.rend());
    ++r.result.replacements;
    r.caret = static_cast<Offset>(at + replacement.size());
  };
  const auto endsWithFind = [&] {
    return out.size() >= n && out.back() == find.back() &&
           std::string_view(out).substr(out.size() - n) == find;
  };

  std::size_t i = 0;     // the rest of `text` begins here
  bool fedBack = false;  // `out` ends with characters of a replacement
  for (;;) {
    if (out.size() + pending.size() + (text.size() - i) > maxSize || budget == 0) {
      r.result.refused = true;
      r.text.clear();
      r.caret = -1;
      return r;
    }
    if (!pending.empty()) {
      --budget;
      out += pending.back();
      pending.pop_back();
      if (endsWithFind()) replaceAt(out.size() - n);
      continue;
    }
    if (fedBack) {
      // A match that begins in the tail of `out` and ends in the rest of the text; the longest
      // tail first, as it begins furthest left.
      fedBack = false;
      const std::string_view rest = text.substr(i);
      bool found = false;
      for (std::size_t k = std::min(n - 1, out.size()); k >= 1 && !found; --k) {
        budget -= std::min(budget, n);
        if (std::string_view(out).substr(out.size() - k) == find.substr(0, k) &&
            rest.substr(0, n - k) == find.substr(k)) {
          i += n - k;
          replaceAt(out.size() - k);
          fedBack = true;
          found = true;
        }
      }
      if (found) continue;
    }
    const auto pos = text.find(find, i);
    if (pos == std::string_view::npos) {
      out.append(text.substr(i));
      return r;
    }
    out.append(text.substr(i, pos - i));
    i = pos + n;
    replaceAt(out.size());
    fedBack = true;
  }
}

}  // namespace

ReplacedText replaceAllInText(std::string_view text, std::string_view find,
                              std::string_view replacement) {
  if (find.empty()) return ReplacedText{std::string(text), {}, -1};
  if (replacement.find(find) != std::string_view::npos)
    return replaceEachOnce(text, find, replacement);
  return replaceUntilNoneIsLeft(text, find, replacement);
}

ReplaceAllResult replaceAll(TextBuffer& target, std::string_view find,
                            std::string_view replacement) {
  const std::string needle = normalizeBreaks(find);
  const std::string with = normalizeBreaks(replacement);
  if (needle.empty()) return {};
  const bool eachOnce = with.find(needle) != std::string::npos;
  // A buffer in memory is read in place; others give a copy.
  const auto* memory = dynamic_cast<const MemoryBuffer*>(&target);
  const std::string copy = memory != nullptr ? std::string() : target.getText();
  const std::string_view before = memory != nullptr ? std::string_view(memory->text()) : copy;
  ReplacedText r = replaceAllInText(before, needle, with);
  if (r.result.refused) return r.result;
  if (r.result.replacements == 0) {
    if (!eachOnce) target.setSelStart(0);
    return r.result;
  }
  target.beginUpdate();
  target.select(0, static_cast<Offset>(before.size()));
  target.replaceSel(r.text);
  target.setSelStart(r.caret);
  target.endUpdate();
  if (!eachOnce) target.setFocus();
  return r.result;
}

}  // namespace brindle::core
