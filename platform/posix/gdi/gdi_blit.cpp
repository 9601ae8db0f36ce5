// Rectangle copy between the bitmaps of two contexts, converting into the destination's format.
#include <algorithm>
#include <vector>

#include "platform/portable/last_error.h"
#include "platform/posix/gdi/gdi_context.h"

namespace stamp::platform {
namespace {

// The part of a width x height copy whose source and destination pixels both lie inside their
// bitmaps, as offsets from the rectangle's corner. Computed in 64 bits so that far-away
// coordinates clip to nothing instead of wrapping.
struct Span {
  int64_t first = 0;
  int64_t end = 0;  // exclusive
  bool empty() const { return first >= end; }
};

Span ClipAxis(int64_t length, int64_t dst, int64_t dstSize, int64_t src, int64_t srcSize) {
  return {std::max({int64_t{0}, -dst, -src}), std::min({length, dstSize - dst, srcSize - src})};
}

// Converts stored values between formats, remembering the last conversion since neighbouring
// pixels are usually alike (a palette search is otherwise done per pixel).
class Converter {
 public:
  Converter(const PixelFormat& from, const PixelFormat& to)
      : from_(from), to_(to), same_(from == to) {}

  uint32_t operator()(uint32_t raw) {
    if (same_) return raw;
    if (!known_ || raw != lastIn_) {
      lastIn_ = raw;
      lastOut_ = EncodePixel(to_, DecodePixel(from_, raw));
      known_ = true;
    }
    return lastOut_;
  }

 private:
  const PixelFormat& from_;
  const PixelFormat& to_;
  bool same_;
  bool known_ = false;
  uint32_t lastIn_ = 0;
  uint32_t lastOut_ = 0;
};

// Copies the clipped rectangle. The source is read in full before anything is written, so a copy
// within one bitmap (both contexts the same) is right even when the rectangles overlap.
void Copy(Bitmap& dst, int32_t x, int32_t y, const Bitmap& src, int32_t srcX, int32_t srcY,
          Span columns, Span rows) {
  const uint16_t srcBits = src.format.bitsPerPixel;
  const uint16_t dstBits = dst.format.bitsPerPixel;
  std::vector<uint32_t> values;
  values.reserve(static_cast<size_t>((columns.end - columns.first) * (rows.end - rows.first)));
  for (int64_t j = rows.first; j < rows.end; ++j) {
    const uint8_t* row = src.Row(static_cast<int32_t>(srcY + j));
    for (int64_t i = columns.first; i < columns.end; ++i) {
      values.push_back(ReadRaw(row, static_cast<int32_t>(srcX + i), srcBits));
    }
  }
  Converter convert(src.format, dst.format);
  auto next = values.begin();
  for (int64_t j = rows.first; j < rows.end; ++j) {
    uint8_t* row = dst.Row(static_cast<int32_t>(y + j));
    for (int64_t i = columns.first; i < columns.end; ++i) {
      WriteRaw(row, static_cast<int32_t>(x + i), dstBits, convert(*next++));
    }
  }
}

}  // namespace
}  // namespace stamp::platform

// An empty or fully clipped rectangle copies nothing and succeeds.
int32_t plat_bit_blt(PlatHandle dst, int32_t x, int32_t y, int32_t width, int32_t height,
                     PlatHandle src, int32_t srcX, int32_t srcY, uint32_t rop) {
  using namespace stamp::platform;
  if (rop != PLAT_SRCCOPY) return Fail("plat_bit_blt: only SRCCOPY is supported", 0);
  Bitmap* target = SelectedBitmap(dst);
  const Bitmap* source = SelectedBitmap(src);
  if (target == nullptr || source == nullptr) return 0;
  const Span columns = ClipAxis(width, x, target->width, srcX, source->width);
  const Span rows = ClipAxis(height, y, target->height, srcY, source->height);
  if (columns.empty() || rows.empty()) return 1;
  return GuardedCall(0, [&] {
    Copy(*target, x, y, *source, srcX, srcY, columns, rows);
    return 1;
  });
}
