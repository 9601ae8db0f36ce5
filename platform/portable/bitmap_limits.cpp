#include "platform/portable/bitmap_limits.h"

#include <bit>
#include <string>

#include "platform/portable/last_error.h"

namespace stamp::platform {
namespace {

constexpr int64_t kRowAlignBits = 32;
constexpr int64_t kBitsPerByte = 8;
constexpr unsigned kChannelBits = 8;

}  // namespace

int64_t PaddedStride(int64_t width, uint16_t bitsPerPixel) {
  return (width * bitsPerPixel + kRowAlignBits - 1) / kRowAlignBits *
         (kRowAlignBits / kBitsPerByte);
}

bool CheckBitmapSize(int64_t width, int64_t height, uint16_t bitsPerPixel) {
  if (width <= 0 || height <= 0) return Fail("bitmap size must be positive", false);
  if (width > kMaxBitmapSide || height > kMaxBitmapSide) {
    return Fail("bitmap side above " + std::to_string(kMaxBitmapSide), false);
  }
  if (static_cast<uint64_t>(PaddedStride(width, bitsPerPixel) * height) > kMaxBitmapBytes) {
    return Fail("bitmap above " + std::to_string(kMaxBitmapBytes) + " bytes", false);
  }
  return true;
}

bool ValidMasks(const std::array<uint32_t, 3>& masks, uint16_t bitsPerPixel) {
  const uint64_t word = (uint64_t{1} << bitsPerPixel) - 1;
  uint32_t seen = 0;
  for (const uint32_t mask : masks) {
    if (mask == 0 || (mask & ~word) != 0 || (mask & seen) != 0) return false;
    const uint32_t shifted = mask >> std::countr_zero(mask);
    if ((shifted & (shifted + 1)) != 0 || static_cast<unsigned>(std::popcount(mask)) > kChannelBits)
      return false;
    seen |= mask;
  }
  return true;
}

}  // namespace stamp::platform
