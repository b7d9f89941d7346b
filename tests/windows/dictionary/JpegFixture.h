#pragma once
// Small JPEG files made on the spot with libjpeg, for the dictionary's window tests.
#include <jpeglib.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace brindle::test {

// A width x height picture with a colour gradient; `cmyk` writes four-component CMYK.
inline std::string makeJpeg(int width, int height, bool cmyk = false) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = cmyk ? 4 : 3;
  info.in_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 90, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(width * info.input_components));
  while (info.next_scanline < info.image_height) {
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < info.input_components; ++c)
        row[static_cast<std::size_t>(x * info.input_components + c)] = static_cast<unsigned char>(
            (x * 255 / width + c * 60 + static_cast<int>(info.next_scanline)) % 256);
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&info, &r, 1);
  }
  jpeg_finish_compress(&info);
  std::string out(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

}  // namespace brindle::test
