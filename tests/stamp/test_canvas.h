// A host record holding only the canvas geometry that GetPixel24 and PutPixel24 read, for the
// pixel code of stamp preparation on the tests' rasters.
#pragma once

#include <cstdint>
#include <vector>

#include "src/core/image_view.h"
#include "support/raster.h"

namespace stamp::test {

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

// The raster viewed with the canvas geometry of the installed record, as the stamp preparation
// views every canvas-sized buffer.
ImageView CanvasView(Raster& raster);

}  // namespace stamp::test
