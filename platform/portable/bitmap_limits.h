// The bitmaps every back end accepts, checked the same way on each before the system or any
// memory is asked: positive sides, none above kMaxBitmapSide, at most kMaxBitmapBytes of rows
// padded to 4 bytes (larger ones are refused as absurd), and sound channel masks.
#pragma once

#include <array>
#include <cstdint>

namespace stamp::platform {

inline constexpr int32_t kMaxBitmapSide = 32768;
inline constexpr uint64_t kMaxBitmapBytes = uint64_t{512} << 20;

// Row length in bytes padded to 4, as Windows lays out device-independent and compatible bitmaps.
int64_t PaddedStride(int64_t width, uint16_t bitsPerPixel);

// True when width x height (both positive, within kMaxBitmapSide) at that depth stays within
// kMaxBitmapBytes with padded rows; otherwise records the reason and gives false.
bool CheckBitmapSize(int64_t width, int64_t height, uint16_t bitsPerPixel);

// True when the masks are nonzero, contiguous, at most 8 bits each, disjoint and inside the word.
bool ValidMasks(const std::array<uint32_t, 3>& masks, uint16_t bitsPerPixel);

}  // namespace stamp::platform
