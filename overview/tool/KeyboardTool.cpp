// brindle-keyboard: draws the keyboard of a game directory's effective binds into a PNG file,
// with the keyboard window's own painter. brindle-cli keyboard runs it (the picture needs Qt's
// image classes, which brindle-cli does without to start quickly); it needs no display: the
// offscreen platform is used unless another is asked for.
#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>
#include <cstdio>
#include <string>

#include "core/FileIO.h"
#include "overview/logic/EffectiveDirectory.h"
#include "overview/picture/KeyboardPicture.h"

namespace {

// Messages carry the name of the command the user typed.
int fail(const std::string& message) {
  std::fprintf(stderr, "brindle-cli keyboard: %s\n", message.c_str());
  return 2;
}

int drawKeyboard(const QStringList& args) {
  std::string dir;
  std::string png;
  int width = 1600;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if ((a == QStringLiteral("--png") || a == QStringLiteral("--width")) && i + 1 == args.size())
      return fail(a == QStringLiteral("--png") ? "после --png нужно имя файла PNG"
                                               : "после --width нужна ширина в точках");
    if ((a == QStringLiteral("--png") || a == QStringLiteral("--width")) && i + 1 < args.size()) {
      if (a == QStringLiteral("--png")) {
        png = args[++i].toStdString();
      } else {
        bool number = false;
        width = args[++i].toInt(&number);
        if (!number || width < 600 || width > 10000) return fail("ширина от 600 до 10000 точек");
      }
    } else if (dir.empty() && !a.startsWith(QStringLiteral("--"))) {
      dir = a.toStdString();
    } else {
      return fail("лишний аргумент \"" + a.toStdString() + "\"");
    }
  }
  if (dir.empty() || png.empty()) {
    std::fputs("Использование: brindle-cli keyboard DIR --png FILE [--width PIXELS]\n", stderr);
    return 2;
  }
  if (!brindle::core::directoryExists(dir))
    return fail(brindle::core::fileExists(dir) ? dir + " — это файл, а нужен каталог игры"
                                               : "нет каталога " + dir);
  const brindle::overview::DirectoryConfig read = brindle::overview::effectiveOfDirectory(
      dir, QCoreApplication::applicationDirPath().toStdString());
  if (read.wordsMissing)
    fail("нет списков словаря рядом с программой: команды не отличить от переменных");
  const brindle::overview::KeyFaces faces = brindle::overview::keyFaces(read.config);
  const QImage image = brindle::overview::renderKeyboard(
      faces, QStringLiteral("Привязки клавиш: %1").arg(QString::fromStdString(dir)), width);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return fail("не удалось построить PNG");
  const brindle::core::WriteResult written = brindle::core::writeFileAtomic(
      png, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (!written.ok) return fail(written.error);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's own notes about the platform (a missing runtime folder when run as root, say) are no
  // business of this command's user: only its own messages reach the standard error.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  QGuiApplication app(argc, argv);
  // The arguments as Qt hands them over: in UTF-8 on every system.
  QStringList args = QCoreApplication::arguments();
  args.removeFirst();
  return drawKeyboard(args);
}
