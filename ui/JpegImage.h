#pragma once
// JPEG pictures decoded with libjpeg. Anything libjpeg would only warn about (a truncated or
// damaged file that it would fill with grey) counts as a failure, as do colour spaces other
// than greyscale and RGB/YCbCr and files that are no JPEG at all.
#include <QImage>
#include <QString>
#include <string>
#include <string_view>

namespace brindle::ui {

struct JpegResult {
  QImage image;   // null on failure
  QString error;  // libjpeg's or the file system's text on failure
  bool ok() const { return !image.isNull(); }
};

JpegResult decodeJpeg(std::string_view bytes);
// `path` is UTF-8.
JpegResult loadJpegFile(const std::string& path);

}  // namespace brindle::ui
