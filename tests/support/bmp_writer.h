// Pictures for tests and a writer that stores them as uncompressed 24-bit BMP files, so a test
// can make panel files and stamp sheets of any size with known pixels.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace stamp::test {

struct RgbPixel {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
  bool operator==(const RgbPixel&) const = default;
};

// Pixels top row first, each row left to right.
class RgbPicture {
 public:
  RgbPicture(int32_t width, int32_t height)
      : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height) {}

  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  RgbPixel& at(int32_t x, int32_t y) { return pixels_[Index(x, y)]; }
  const RgbPixel& at(int32_t x, int32_t y) const { return pixels_[Index(x, y)]; }

 private:
  size_t Index(int32_t x, int32_t y) const { return static_cast<size_t>(y) * width_ + x; }

  int32_t width_;
  int32_t height_;
  std::vector<RgbPixel> pixels_;
};

// Writes a bottom-up BI_RGB file with a 40-byte info header and rows padded to 4 bytes.
// False when the file cannot be written completely.
bool WriteBmp24(const std::filesystem::path& path, const RgbPicture& picture);

}  // namespace stamp::test
