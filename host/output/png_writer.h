// PNG files of 24-bit pictures, for the host's pictures of what a plug-in drew and for the sheet
// check and for the layers of layered files. Written through libpng row by row, so a picture made
// on the fly (the composite canvas) never needs to be held whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <vector>

#include "host/result.h"

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

// A picture made row by row: rows(y, row) fills row y (0 is the top row) with width * 3 bytes in
// the given order. Rows are asked for once each, top row first.
struct RowPicture {
  int32_t width = 0;
  int32_t height = 0;
  ChannelOrder order = ChannelOrder::kRgb;
  std::function<void(int32_t y, uint8_t* row)> rows;
};

// Writes the picture as an 8-bit RGB PNG with the sRGB chunk, atomically (output_file.h).
// Fails saying why nothing was written.
Status WritePng(const std::filesystem::path& path, const Picture24& picture);
Status WritePng(const std::filesystem::path& path, const RowPicture& picture);

// The same PNG in memory, or why nothing was encoded.
Result<std::vector<uint8_t>> EncodePng(const Picture24& picture);

}  // namespace stamp::host
