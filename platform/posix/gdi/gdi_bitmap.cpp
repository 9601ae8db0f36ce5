#include "platform/posix/gdi/gdi_bitmap.h"

namespace stamp::platform {

uint8_t* Bitmap::Row(int32_t y) const {
  const int32_t stored = topDown ? y : height - 1 - y;
  return pixels + static_cast<size_t>(stored) * static_cast<size_t>(stride);
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
