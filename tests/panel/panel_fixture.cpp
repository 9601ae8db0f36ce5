#include "panel/panel_fixture.h"

#include <cstring>

#include "stamp/platform_host.h"
#include "stamp/plugin.h"

namespace stamp::test {
namespace {

// A value no cell, white square or rotation of the sample artwork gives on all three channels.
constexpr uint8_t kScribble = 7;
constexpr int64_t kStampSquare = 60;
constexpr int64_t kCacheY = 60;

bool Scribbled(const TestHost& host, int64_t x, int64_t y) {
  const Plane stamp = CanvasPlane(host, host.buffer(STAMP_REC_STAMP_BUFFER));
  const uint8_t* pixel = stamp.bytes + stamp.Inside(x, y);
  return pixel[0] == kScribble && pixel[1] == kScribble && pixel[2] == kScribble;
}

}  // namespace

void PanelTest::SetUp() {
  plat_set_program_path((HostFolder() / "stamp-host").c_str());
  ASSERT_EQ(plg_init(host.record()), 1);
}

void PanelTest::TearDown() {
  plg_destroy();
  plat_set_program_path(nullptr);
  PluginTest::TearDown();
}

Bytes PanelTest::RasterCopy() const { return Bytes(raster(), raster() + kRasterBytes); }

// The StampImage's far corner lies outside every rotation's box, so any rebuild whitens it; the
// cache's top-left pixel is the first pixel of a fresh cell at every reduction.
Rebuild PanelTest::Observe(const std::function<void()>& action) {
  Paint(CanvasPlane(host, host.buffer(STAMP_REC_STAMP_BUFFER)), 0, 0, kStampSquare,
        kCacheY + kCellSize, kScribble);
  action();
  if (Scribbled(host, kStampSquare - 1, kStampSquare - 1)) return Rebuild::None;
  return Scribbled(host, 0, kCacheY) ? Rebuild::RotationOnly : Rebuild::WithExtraction;
}

void Paint(Plane plane, int64_t left, int64_t top, int64_t width, int64_t height, uint8_t value) {
  for (int64_t y = top; y < top + height; ++y) {
    for (int64_t x = left; x < left + width; ++x)
      std::memset(plane.bytes + plane.Inside(x, y), value, 3);
  }
}

Plane RasterPlane(uint8_t* bytes) {
  return {bytes, STAMP_PANEL_WIDTH, STAMP_PANEL_HEIGHT, kRasterBytes};
}

Bytes SheetCells(const std::filesystem::path& sheet) {
  constexpr int32_t kWidth = kCellColumns * kCellSize;
  constexpr int32_t kHeight = kCellRows * kCellSize;
  Bytes cells(size_t{kWidth} * kHeight * 3);
  const PlatHandle source = plat_create_compatible_dc(0);
  const PlatHandle bitmap = plat_load_bitmap_file(WindowsPath(sheet).c_str());
  const PlatHandle sourcePrevious = plat_select_object(source, bitmap);
  const PlatHandle target = plat_create_compatible_dc(0);
  const PlatHandle raster = plat_create_bitmap_over_raster(kWidth, kHeight, cells.data());
  const PlatHandle targetPrevious = plat_select_object(target, raster);
  plat_bit_blt(target, 0, 0, kWidth, kHeight, source, 0, 0, PLAT_SRCCOPY);
  plat_select_object(target, targetPrevious);
  plat_delete_object(raster);
  plat_delete_dc(target);
  plat_select_object(source, sourcePrevious);
  plat_delete_object(bitmap);
  plat_delete_dc(source);
  return cells;
}

}  // namespace stamp::test
