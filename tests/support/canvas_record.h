// A host record holding only the canvas geometry that GetPixel24 and PutPixel24 read, for the
// pixel code of stamp preparation and the pixel tests on the tests' rasters.
#pragma once

#include <cstdint>
#include <vector>

#include "src/core/host_context.h"
#include "src/core/image_view.h"
#include "support/raster.h"

namespace stamp::test {

// Installs a record for a width x height canvas as the tests' canvas while it lives; the byte
// size is width x height x 3 unless given.
class CanvasRecord {
 public:
  CanvasRecord(int32_t width, int32_t height);
  CanvasRecord(int32_t width, int32_t height, int32_t bytes);
  ~CanvasRecord();
  CanvasRecord(const CanvasRecord&) = delete;
  CanvasRecord& operator=(const CanvasRecord&) = delete;

  // Writes another geometry into the installed record.
  void Resize(int32_t width, int32_t height, int32_t bytes);

 private:
  std::vector<uint8_t> record_;
};

// The installed record (none when no CanvasRecord lives), whose geometry the reference pixel
// functions read.
HostContext& InstalledCanvas();

// The bytes viewed with the canvas geometry of the installed record, as the stamp preparation
// views every canvas-sized buffer.
ImageView CanvasView(uint8_t* bytes);
inline ImageView CanvasView(Raster& raster) { return CanvasView(raster.data()); }

}  // namespace stamp::test
