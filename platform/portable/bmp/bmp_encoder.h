// The bytes of an uncompressed 24-bit BMP file (40-byte info header, rows bottom-up and padded to
// four bytes) holding exactly the pixels of a picture stored as such a file stores its rows:
// bottom-up, each width x 3 bytes (blue, green, red) and unpadded, as the host record's buffers
// are. Each row is copied as it is stored. The encoder beside the platform's decoder, for the
// host's saves and sheets and for the tests on every target.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace stamp::platform {

std::vector<uint8_t> EncodeBmp24(const uint8_t* bottomUpRows, int32_t width, int32_t height);

// The same file in parts, for writing it without holding it whole: the headers, then each of the
// picture's stored rows followed by Bmp24RowPadding zero bytes.
std::vector<uint8_t> Bmp24Headers(int32_t width, int32_t height);
size_t Bmp24RowPadding(int32_t width);

}  // namespace stamp::platform
