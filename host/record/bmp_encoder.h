// The bytes of an uncompressed 24-bit BMP file (40-byte info header, rows bottom-up and padded to
// four bytes) holding exactly the pixels of a raster: the raster's rows are already the file's
// rows in the file's order, so each is copied as it is stored.
#pragma once

#include <cstdint>
#include <vector>

#include "host/record/raster_view.h"

namespace stamp::host {

std::vector<uint8_t> EncodeBmp24(const RasterView& raster);

// The same file in parts, for writing it without holding it whole: the headers, then each of the
// raster's stored rows followed by RowPadding zero bytes.
std::vector<uint8_t> Bmp24Headers(const RasterView& raster);
size_t Bmp24RowPadding(const RasterView& raster);

}  // namespace stamp::host
