// The JPEG decoder: any bytes give either a picture within the side limit or an error message,
// never both and never neither, and decoding is repeatable.
#include "tests/fuzz/FuzzSupport.h"
#include "ui/JpegImage.h"

using namespace brindle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::asText(data, size);
  const ui::JpegResult r = ui::decodeJpeg(bytes);
  FUZZ_REQUIRE(r.ok() == r.error.isEmpty());
  if (!r.ok()) return 0;
  FUZZ_REQUIRE(r.image.width() >= 1 && r.image.width() <= 4096);
  FUZZ_REQUIRE(r.image.height() >= 1 && r.image.height() <= 4096);
  FUZZ_REQUIRE(r.image.format() == QImage::Format_RGB888);
  const ui::JpegResult again = ui::decodeJpeg(bytes);
  FUZZ_REQUIRE(again.ok() && again.image == r.image);
  return 0;
}
