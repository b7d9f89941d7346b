// The picture of a game directory's effective binds as a PNG file, drawn by the keyboard
// window's own painter (brindle-keyboard, run by brindle-cli keyboard). It needs Qt's image
// classes but no display: the offscreen platform is used unless another is asked for.
#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "cli/Commands.h"
#include "cli/Effective.h"
#include "core/FileIO.h"
#include "overview/picture/KeyboardPicture.h"

namespace brindle::cli {

int drawKeyboard(const std::vector<std::string>& args, const char* argv0) {
  std::string dir;
  std::string png;
  int width = 1600;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if ((a == "--png" || a == "--width") && i + 1 < args.size()) {
      if (a == "--png") {
        png = args[++i];
      } else {
        try {
          width = std::stoi(args[++i]);
        } catch (const std::exception&) {
          width = 0;
        }
        if (width < 600 || width > 10000) {
          std::fputs("brindle-cli keyboard: ширина от 600 до 10000 точек\n", stderr);
          return 2;
        }
      }
    } else if (dir.empty() && a.rfind("--", 0) != 0) {
      dir = a;
    } else {
      std::fprintf(stderr, "brindle-cli keyboard: лишний аргумент \"%s\"\n", a.c_str());
      return 2;
    }
  }
  std::error_code ec;
  if (dir.empty() || png.empty()) {
    std::fputs("Использование: brindle-cli keyboard DIR --png FILE [--width PIXELS]\n", stderr);
    return 2;
  }
  if (!std::filesystem::is_directory(core::pathFromUtf8(dir), ec)) {
    std::fprintf(stderr, "brindle-cli keyboard: нет каталога %s\n", dir.c_str());
    return 2;
  }
  const editor::EffectiveConfig config = effectiveOfDirectory(dir, argv0);
  const overview::KeyFaces faces = overview::keyFaces(config);

  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's own notes about the platform (a missing runtime folder when run as root, say) are no
  // business of this command's user: only its own messages reach the standard error.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  int argc = 1;
  char name[] = "brindle-cli";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  const QImage image = overview::renderKeyboard(
      faces, QStringLiteral("Привязки клавиш: %1").arg(QString::fromStdString(dir)), width);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) {
    std::fputs("brindle-cli keyboard: не удалось построить PNG\n", stderr);
    return 2;
  }
  const core::WriteResult written = core::writeFileAtomic(
      png, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (!written.ok) {
    std::fprintf(stderr, "brindle-cli keyboard: %s\n", written.error.c_str());
    return 2;
  }
  return 0;
}

}  // namespace brindle::cli
