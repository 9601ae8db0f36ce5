// PNG files of 24-bit pictures, for the host's pictures of what a plug-in drew and for the sheet
// check and for the layers of layered files. Written through libpng's simplified interface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace stamp::host {

enum class ChannelOrder { kRgb, kBgr };

// A picture in memory: height rows of width pixels, 3 bytes each in the given order, rowStride
// bytes apart (at least width * 3). Rows are stored top row first, or with bottomUp the bottom
// row first (the host record's rasters).
struct Picture24 {
  int32_t width = 0;
  int32_t height = 0;
  std::span<const uint8_t> pixels;
  size_t rowStride = 0;
  ChannelOrder order = ChannelOrder::kRgb;
  bool bottomUp = false;
};

// Writes the picture as an 8-bit RGB PNG. Gives an empty string, or why nothing was written.
std::string WritePng(const std::filesystem::path& path, const Picture24& picture);

// The same PNG in memory; gives "" and fills png, or why nothing was encoded.
std::string EncodePng(const Picture24& picture, std::vector<uint8_t>& png);

}  // namespace stamp::host
