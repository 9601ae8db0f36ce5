#include "platform/posix/gdi/gdi_bitmap.h"

#include <string>

#include "platform/portable/last_error.h"

namespace stamp::platform {
namespace {

constexpr int64_t kRowAlignBits = 32;
constexpr int64_t kBitsPerByte = 8;

}  // namespace

uint8_t* Bitmap::Row(int32_t y) const {
  const int32_t stored = topDown ? y : height - 1 - y;
  return pixels + static_cast<size_t>(stored) * static_cast<size_t>(stride);
}

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

std::unique_ptr<Bitmap> MakeOwnedBitmap(int32_t width, int32_t height, PixelFormat format,
                                        bool topDown) {
  if (!CheckBitmapSize(width, height, format.bitsPerPixel)) return nullptr;
  const int64_t stride = PaddedStride(width, format.bitsPerPixel);
  LowBlock memory(static_cast<uint8_t*>(AllocLow(static_cast<size_t>(stride * height))));
  if (memory == nullptr) return nullptr;
  auto bitmap = std::make_unique<Bitmap>();
  bitmap->width = width;
  bitmap->height = height;
  bitmap->stride = static_cast<int32_t>(stride);
  bitmap->topDown = topDown;
  bitmap->format = std::move(format);
  bitmap->pixels = memory.get();
  bitmap->ownedPixels = std::move(memory);
  return bitmap;
}

PlatHandle AddBitmap(std::unique_ptr<Bitmap> bitmap) {
  return bitmap == nullptr ? PlatHandle{0} : AddObject(std::move(bitmap));
}

}  // namespace stamp::platform
