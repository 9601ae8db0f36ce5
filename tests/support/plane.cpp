#include "support/plane.h"

#include <cstring>
#include <optional>
#include <random>

#include "src/core/panel_image_layout.h"

namespace stamp::test {

void FillRandom(uint8_t* bytes, size_t size, uint32_t seed) {
  std::mt19937 random(seed);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(random());
}

Bytes CanvasCopy(const TestHost& host, uint32_t field) {
  const uint8_t* bytes = host.buffer(field);
  return Bytes(bytes, bytes + host.canvasBytes());
}

void FillCanvasRandom(const TestHost& host, uint32_t field, uint32_t seed) {
  FillRandom(host.buffer(field), host.canvasBytes(), seed);
}

int64_t Plane::Inside(int64_t x, int64_t y) const {
  const int64_t offset = ((height - 1 - y) * width + x) * 3;
  return offset >= 0 && offset + 3 <= size ? offset : -1;
}

Plane CanvasPlane(const TestHost& host, uint8_t* bytes) {
  return {bytes, host.canvasWidth(), host.canvasHeight(), static_cast<int64_t>(host.canvasBytes())};
}

Plane PanelPlane(uint8_t* bytes) {
  return {bytes, kPanelImageWidth, kPanelImageHeight, kPanelImageBytes};
}

void ModelCopy(Plane dst, int64_t dx, int64_t dy, Plane src, int64_t sx, int64_t sy, int64_t width,
               int64_t height) {
  for (int64_t j = height - 1; j >= 0; --j) {
    for (int64_t i = 0; i < width; ++i) {
      const int64_t to = dst.Inside(dx + i, dy + j);
      const int64_t from = src.Inside(sx + i, sy + j);
      if (to >= 0 && from >= 0) std::memcpy(dst.bytes + to, src.bytes + from, 3);
    }
  }
}

void ModelCellToCache(const TestHost& host, Bytes& stamp, uint8_t* panel, int32_t selection) {
  const std::optional<CellPoint> corner = CellCorner(selection, {kCellArea.x, kCellArea.y});
  if (!corner) return;
  ModelCopy(CanvasPlane(host, stamp.data()), 0, kCellCacheY, PanelPlane(panel), corner->x,
            corner->y, kCellSize, kCellSize);
}

::testing::AssertionResult SamePixels(const TestHost& host, const Bytes& actual,
                                      const Bytes& expected,
                                      const std::function<bool(int64_t x, int64_t y)>& compared) {
  const Plane geometry = CanvasPlane(host, nullptr);
  for (int64_t y = 0; y < host.canvasHeight(); ++y) {
    for (int64_t x = 0; x < host.canvasWidth(); ++x) {
      const int64_t at = geometry.Inside(x, y);
      if (compared(x, y) && std::memcmp(&actual[at], &expected[at], 3) != 0) {
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") differs";
      }
    }
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult SameCache(const TestHost& host, const Bytes& actual,
                                     const Bytes& expected) {
  return SamePixels(host, actual, expected, [](int64_t x, int64_t y) {
    return x < kCellSize && y >= kCellCacheY && y < kCellCacheY + kCellSize;
  });
}

}  // namespace stamp::test
