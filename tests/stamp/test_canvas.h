// Canvas-sized rasters for the pixel code of stamp preparation, and a host record holding only
// the canvas geometry that GetPixel24 and PutPixel24 read. Pixels are addressed top-down.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "src/core/image_view.h"

namespace stamp::test {

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgb& colour);

// Installs a record for a width x height canvas as the module's host while it lives.
class CanvasRecord {
 public:
  CanvasRecord(int32_t width, int32_t height);
  ~CanvasRecord();
  CanvasRecord(const CanvasRecord&) = delete;
  CanvasRecord& operator=(const CanvasRecord&) = delete;

 private:
  std::vector<uint8_t> record_;
};

// A bottom-up B,G,R raster with a stride of exactly width x 3 bytes.
class Raster {
 public:
  Raster(int32_t width, int32_t height, uint8_t fill);

  uint8_t* data() { return bytes_.data(); }
  const uint8_t* data() const { return bytes_.data(); }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  Rgb At(int32_t x, int32_t y) const;
  void Set(int32_t x, int32_t y, Rgb colour);
  void FillRandom(uint32_t seed);
  bool operator==(const Raster&) const = default;

 private:
  size_t Offset(int32_t x, int32_t y) const;

  int32_t width_;
  int32_t height_;
  std::vector<uint8_t> bytes_;
};

// The raster viewed with the canvas geometry of the installed record, as the stamp preparation
// views every canvas-sized buffer.
ImageView CanvasView(Raster& raster);

}  // namespace stamp::test
