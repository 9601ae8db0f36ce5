// What both back ends' plat_load_bitmap_file share: a BMP file's bytes decoded by the platform's
// own decoder, not the system loader, so that a sheet gives the same pixels and the same refusals
// on both platforms, and copied row by row into a new 24-bit top-down bitmap of the back end's.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "stamp/platform.h"

namespace stamp::platform {

inline constexpr uint16_t kLoadedBitsPerPixel = 24;

// A new 24-bit top-down bitmap: its handle (0, its reason recorded, when it cannot be made) and
// where each of its rows lies.
struct LoadedBitmap {
  PlatHandle handle = 0;
  std::function<uint8_t*(int32_t y)> row;
};
using MakeLoadedBitmap = std::function<LoadedBitmap(int32_t width, int32_t height)>;

// Decodes file, the bytes read from shownPath, into the bitmap make gives for its size. A refusal
// of the decoder is recorded naming shownPath, and gives 0.
PlatHandle DecodeIntoBitmap(std::span<const uint8_t> file, const std::string& shownPath,
                            const MakeLoadedBitmap& make);

}  // namespace stamp::platform
