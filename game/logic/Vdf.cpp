#include "game/logic/Vdf.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "core/Cp1251.h"

namespace brindle::game {

namespace {

constexpr int kMaxDepth = 64;

enum class TokenKind { End, Text, Open, Close, Condition };

struct Token {
  TokenKind kind = TokenKind::End;
  std::string text;
};

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
  }

  // The next token; nothing (with error_ set) for a quoted text that never closes.
  std::optional<Token> next() {
    skipBlanksAndComments();
    if (pos_ >= text_.size()) return Token{};
    const char c = text_[pos_];
    if (c == '{' || c == '}') {
      ++pos_;
      return Token{c == '{' ? TokenKind::Open : TokenKind::Close, {}};
    }
    if (c == '"') return quoted();
    if (c == '[') {
      const std::size_t close = text_.find(']', pos_);
      const std::size_t end = close == std::string_view::npos ? text_.size() : close + 1;
      Token t{TokenKind::Condition, std::string(text_.substr(pos_, end - pos_))};
      countLines(pos_, end);
      pos_ = end;
      return t;
    }
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !isBlank(text_[pos_]) && text_[pos_] != '"' &&
           text_[pos_] != '{' && text_[pos_] != '}')
      ++pos_;
    return Token{TokenKind::Text, std::string(text_.substr(start, pos_ - start))};
  }

  int line() const { return line_; }
  const std::string& error() const { return error_; }

 private:
  static bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

  void countLines(std::size_t from, std::size_t to) {
    line_ += static_cast<int>(std::count(text_.begin() + static_cast<std::ptrdiff_t>(from),
                                         text_.begin() + static_cast<std::ptrdiff_t>(to), '\n'));
  }

  void skipBlanksAndComments() {
    while (pos_ < text_.size()) {
      if (text_[pos_] == '\n') {
        ++line_;
        ++pos_;
      } else if (isBlank(text_[pos_])) {
        ++pos_;
      } else if (text_.substr(pos_, 2) == "//") {
        const std::size_t eol = text_.find('\n', pos_);
        pos_ = eol == std::string_view::npos ? text_.size() : eol;
      } else {
        break;
      }
    }
  }

  std::optional<Token> quoted() {
    const int startLine = line_;
    Token t{TokenKind::Text, {}};
    ++pos_;  // the opening quote
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == '"') return t;
      if (c == '\n') ++line_;
      if (c != '\\' || pos_ >= text_.size()) {
        t.text += c;
        continue;
      }
      // Steam escapes backslashes and quotes; any other backslash stays as it is written.
      const char e = text_[pos_];
      if (e == '\\' || e == '"') {
        t.text += e;
        ++pos_;
      } else if (e == 'n') {
        t.text += '\n';
        ++pos_;
      } else if (e == 't') {
        t.text += '\t';
        ++pos_;
      } else {
        t.text += '\\';
      }
    }
    error_ = "строка " + std::to_string(startLine) + ": кавычка не закрыта";
    return std::nullopt;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
  std::string error_;
};

class Parser {
 public:
  explicit Parser(std::string_view text) : reader_(text) {}

  VdfDocument run() {
    VdfDocument d;
    d.ok = entries(d.entries, 0, true);
    if (!d.ok) d.error = error_.empty() ? reader_.error() : error_;
    return d;
  }

 private:
  bool fail(const std::string& what) {
    if (error_.empty()) error_ = "строка " + std::to_string(reader_.line()) + ": " + what;
    return false;
  }

  std::optional<Token> take() {
    if (pending_) {
      std::optional<Token> t = std::move(pending_);
      pending_.reset();
      return t;
    }
    return reader_.next();
  }

  // The entries of a block up to its "}" (of the whole text up to its end at the top).
  bool entries(std::vector<VdfNode>& out, int depth, bool top) {
    for (;;) {
      std::optional<Token> key = take();
      if (!key) return false;
      if (key->kind == TokenKind::End) return top || fail("блок не закрыт");
      if (key->kind == TokenKind::Close) return !top || fail("лишняя \"}\"");
      if (key->kind == TokenKind::Condition) continue;
      if (key->kind != TokenKind::Text) return fail("ожидался ключ");
      VdfNode node;
      node.key = std::move(key->text);
      std::optional<Token> value = take();
      if (!value) return false;
      if (value->kind == TokenKind::Condition) {
        value = take();
        if (!value) return false;
      }
      if (value->kind == TokenKind::Text) {
        node.value = std::move(value->text);
        // A condition may follow the value.
        std::optional<Token> after = take();
        if (!after) return false;
        if (after->kind != TokenKind::Condition) pending_ = std::move(after);
      } else if (value->kind == TokenKind::Open) {
        if (depth + 1 >= kMaxDepth) return fail("блоки вложены слишком глубоко");
        node.block = true;
        if (!entries(node.children, depth + 1, false)) return false;
      } else {
        return fail("у ключа \"" + node.key + "\" нет значения");
      }
      out.push_back(std::move(node));
    }
  }

  Reader reader_;
  std::optional<Token> pending_;
  std::string error_;
};

bool isNumber(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

const VdfNode* VdfNode::find(std::string_view name) const {
  for (const VdfNode& child : children)
    if (core::equalsNoCase(child.key, name)) return &child;
  return nullptr;
}

VdfDocument parseVdf(std::string_view text) { return Parser(text).run(); }

std::vector<std::string> steamLibraryPaths(const VdfDocument& document) {
  std::vector<std::string> paths;
  for (const VdfNode& root : document.entries) {
    if (!root.block || !core::equalsNoCase(root.key, "libraryfolders")) continue;
    for (const VdfNode& entry : root.children) {
      if (!isNumber(entry.key)) continue;  // TimeNextStatsReport, ContentStatsID
      std::string path;
      if (!entry.block)
        path = entry.value;
      else if (const VdfNode* p = entry.find("path"); p && !p->block)
        path = p->value;
      if (!path.empty()) paths.push_back(std::move(path));
    }
  }
  return paths;
}

}  // namespace brindle::game
