#pragma once
// The one place where program text meets Qt's Unicode strings.
// Document text is CP1251: each byte becomes one UTF-16 unit and back, for all 256 values,
// so positions in the widget and byte offsets differ only by the line breaks.
// Paths and messages from the logic library are UTF-8.
#include <QString>
#include <string>
#include <string_view>

namespace brindle::ui {

QString toQ(std::string_view cp1251);
// Characters the code page lacks become '?', one byte per UTF-16 unit.
std::string fromQ(const QString& text);

inline QString fromUtf8(const std::string& utf8) { return QString::fromStdString(utf8); }
inline std::string toUtf8(const QString& text) { return text.toStdString(); }

}  // namespace brindle::ui
