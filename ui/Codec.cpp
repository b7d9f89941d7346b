#include "ui/Codec.h"

#include "core/Cp1251.h"

namespace brindle::ui {

QString toQ(std::string_view text) {
  QString out(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
  QChar* p = out.data();
  for (const char ch : text) {
    const auto b = static_cast<unsigned char>(ch);
    *p++ = QChar(static_cast<char16_t>(b < 0x80 ? b : core::toUnicode(b)));
  }
  return out;
}

std::string fromQ(const QString& text) {
  std::string out;
  out.resize(static_cast<std::size_t>(text.size()));
  std::size_t i = 0;
  for (const QChar ch : text) {
    const char16_t u = ch.unicode();
    int b = u < 0x80 ? u : core::fromUnicode(u);
    out[i++] = static_cast<char>(b < 0 ? '?' : b);
  }
  return out;
}

}  // namespace brindle::ui
