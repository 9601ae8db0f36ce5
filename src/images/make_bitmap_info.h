// The header (BITMAPINFOHEADER and zero-filled colour table) describing a bitmap's format, from
// which a device-independent bitmap of the same format is made.
#pragma once

#include <cstdint>
#include <vector>

#include "stamp/platform.h"

namespace stamp {

// The rounded colour depth of a format: planes x bits per pixel, kept to 16 bits, then rounded
// up to 1, 4, 8, 16, 24 or 32 (0 gives 4).
uint16_t ColourBits(uint16_t planes, uint16_t bitsPixel);

// The header for a bitmap with this description: 40 header bytes, then 2^colour bits zeroed
// four-byte colour entries below 24 colour bits, none at 24 and above.
std::vector<uint8_t> BitmapInfoFor(const PlatBitmapDesc& desc);

// The header for bitmap's format. When its description cannot be read, shows "Bitmap Error" and
// gives an empty header; when there is no memory for the header, gives an empty header.
std::vector<uint8_t> MakeBitmapInfo(PlatHandle bitmap);

}  // namespace stamp
