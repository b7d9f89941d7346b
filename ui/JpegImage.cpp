#include "ui/JpegImage.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <memory>

#include "core/FileIO.h"

namespace brindle::ui {
namespace {

// Pictures larger than this are no weapon pictures; refusing them keeps a damaged header from
// asking for gigabytes. The side limit keeps the decoded picture under 48 MB: a few bytes of
// header claiming 16384 x 16384 would otherwise take 768 MB before the missing data shows.
constexpr std::uintmax_t kMaxJpegBytes = 64u * 1024u * 1024u;
constexpr JDIMENSION kMaxSide = 4096;

// libjpeg reports errors through a callback that must not return; it jumps back to the
// decoder instead. Everything the jump needs lives here, in memory, so nothing that changed
// after setjmp is read from a stale register.
struct Decoder {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  std::jmp_buf jump{};
  char message[JMSG_LENGTH_MAX] = {};
  QImage image;
};

Decoder* decoderOf(j_common_ptr cinfo) { return static_cast<Decoder*>(cinfo->client_data); }

void keepMessage(j_common_ptr cinfo) {
  Decoder* d = decoderOf(cinfo);
  if (d->message[0] == '\0') (*cinfo->err->format_message)(cinfo, d->message);
}

[[noreturn]] void onError(j_common_ptr cinfo) {
  keepMessage(cinfo);
  std::longjmp(decoderOf(cinfo)->jump, 1);
}

// Level -1 is a warning about damaged data (a truncated file is decoded "successfully" with
// grey filler and only this warning): a picture like that is no picture. Other levels are
// trace messages.
void onMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  keepMessage(cinfo);
  std::longjmp(decoderOf(cinfo)->jump, 1);
}

void onOutput(j_common_ptr cinfo) { keepMessage(cinfo); }

}  // namespace

JpegResult decodeJpeg(std::string_view bytes) {
  auto d = std::make_unique<Decoder>();
  d->info.client_data = d.get();
  d->info.err = jpeg_std_error(&d->errors);
  d->errors.error_exit = onError;
  d->errors.emit_message = onMessage;
  d->errors.output_message = onOutput;

  if (setjmp(d->jump)) {
    jpeg_destroy_decompress(&d->info);
    JpegResult failed;
    failed.error = QString::fromLocal8Bit(d->message);
    if (failed.error.isEmpty()) failed.error = QStringLiteral("JPEG decoding failed");
    return failed;
  }

  jpeg_create_decompress(&d->info);
  jpeg_mem_src(&d->info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&d->info, TRUE);
  // Greyscale and YCbCr/RGB come out as RGB; libjpeg refuses CMYK and YCCK here.
  d->info.out_color_space = JCS_RGB;
  if (d->info.image_width > kMaxSide || d->info.image_height > kMaxSide) {
    std::snprintf(d->message, sizeof d->message, "Picture too large (%ux%u)",
                  static_cast<unsigned>(d->info.image_width),
                  static_cast<unsigned>(d->info.image_height));
    std::longjmp(d->jump, 1);
  }
  jpeg_start_decompress(&d->info);
  if (d->info.output_components != 3) {
    std::snprintf(d->message, sizeof d->message, "Unsupported colour components: %d",
                  d->info.output_components);
    std::longjmp(d->jump, 1);
  }
  d->image = QImage(static_cast<int>(d->info.output_width), static_cast<int>(d->info.output_height),
                    QImage::Format_RGB888);
  if (d->image.isNull()) {
    std::snprintf(d->message, sizeof d->message, "Out of memory for the picture");
    std::longjmp(d->jump, 1);
  }
  while (d->info.output_scanline < d->info.output_height) {
    JSAMPROW row = d->image.scanLine(static_cast<int>(d->info.output_scanline));
    jpeg_read_scanlines(&d->info, &row, 1);
  }
  jpeg_finish_decompress(&d->info);
  jpeg_destroy_decompress(&d->info);

  JpegResult result;
  result.image = std::move(d->image);
  return result;
}

JpegResult loadJpegFile(const std::string& path) {
  const core::ReadResult file = core::readFile(path, kMaxJpegBytes);
  if (!file.ok) {
    JpegResult failed;
    failed.error = QString::fromStdString(file.error);
    return failed;
  }
  return decodeJpeg(file.data);
}

}  // namespace brindle::ui
