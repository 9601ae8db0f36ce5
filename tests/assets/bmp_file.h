// Reads the committed artwork as plain bytes: the tests check the files exactly as they ship,
// independent of the platform's BMP decoder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/test_files.h"

namespace stamp::assets_test {

struct Pixel {
  uint8_t r;
  uint8_t g;
  uint8_t b;

  bool IsWhite() const { return r == 255 && g == 255 && b == 255; }
  bool IsBlack() const { return r == 0 && g == 0 && b == 0; }
  // Ink that shows clearly when multiplied onto white: at least one channel below half.
  bool IsDark() const { return r < 128 || g < 128 || b < 128; }
};

// An uncompressed, bottom-up 24-bit BMP with a 40-byte info header, its pixels stored top-down.
struct Bmp {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;

  const Pixel& At(int x, int y) const {
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
};

using test::ReadBytes;

// Parses exactly the layout above; on any other layout gives nothing and says why in error.
std::optional<Bmp> ParseBmp24(const std::vector<uint8_t>& bytes, std::string& error);

}  // namespace stamp::assets_test
