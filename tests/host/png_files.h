// PNG files made for tests with libpng's simplified interface: pixels in one of its formats, and
// a picture whose header claims a size its data does not hold.
#pragma once

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstdint>
#include <vector>

namespace stamp::test {

// The PNG of width x height pixels in libpng's format (8-bit samples, or 16-bit ones for a linear
// format), rows packed, the top row first.
inline std::vector<uint8_t> EncodePng(uint32_t width, uint32_t height, png_uint_32 format,
                                      const void* pixels) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  image.format = format;
  png_alloc_size_t size = 0;
  EXPECT_NE(png_image_write_get_memory_size(image, size, 0, pixels, 0, nullptr), 0);
  std::vector<uint8_t> png(size);
  EXPECT_NE(png_image_write_to_memory(&image, png.data(), &size, 0, pixels, 0, nullptr), 0);
  png.resize(size);
  return png;
}

// A 1x1 PNG whose header claims width x height (its checksum made right): a few bytes for a huge
// picture.
inline std::vector<uint8_t> PngClaiming(uint32_t width, uint32_t height) {
  const uint8_t grey[] = {0x80, 0x80, 0x80};
  std::vector<uint8_t> png = EncodePng(1, 1, PNG_FORMAT_RGB, grey);
  constexpr size_t kIhdrType = 12;  // after the signature and the chunk's length
  const auto putBigEndian = [&png](size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) png[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
  };
  putBigEndian(kIhdrType + 4, width);
  putBigEndian(kIhdrType + 8, height);
  putBigEndian(kIhdrType + 17, static_cast<uint32_t>(crc32(0, png.data() + kIhdrType, 4 + 13)));
  return png;
}

}  // namespace stamp::test
