// Writes a picture with a see-through ground as an 8-bit RGBA PNG, as desktop icons are kept.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace stamp::art {

// Top-down rows of red, green, blue and alpha (0 see-through, 255 solid), not premultiplied.
struct RgbaImage {
  int width;
  int height;
  std::vector<uint8_t> pixels;  // width * height * 4 bytes
};

// Returns false when the file cannot be created or written completely.
bool WritePng(const std::filesystem::path& path, const RgbaImage& image);

}  // namespace stamp::art
