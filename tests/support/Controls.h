#pragma once
// Reaches a window's control by its objectName, as the window tests do: the windows keep their
// controls private.
#include <QObject>
#include <QString>
#include <QtGlobal>
#include <memory>

namespace brindle::test {

// The control `name` of type T inside `window`; a missing control stops the test at once, with
// the names, rather than crashing somewhere later.
template <typename T>
T* control(const QObject* window, const char* name) {
  T* found = window->findChild<T*>(QString::fromLatin1(name));
  if (found == nullptr)
    qFatal("%s has no control %s of the expected type", qPrintable(window->objectName()), name);
  return found;
}

template <typename T, typename W>
T* control(const std::unique_ptr<W>& window, const char* name) {
  return control<T>(window.get(), name);
}

}  // namespace brindle::test
