// Stores a test raster as an uncompressed 24-bit BMP file, so a test can make panel files and
// stamp sheets of any size with known pixels.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "support/raster.h"

namespace stamp::test {

// Writes a bottom-up BI_RGB file with a 40-byte info header and rows padded to 4 bytes.
// False when the file cannot be written completely.
bool WriteBmp24(const std::filesystem::path& path, const Raster& picture);

// Writes picture as a stamp sheet at path (the test fails when it cannot); gives the path in the
// backslash form the plug-in stores.
std::u16string WriteSheet(const std::filesystem::path& path, const Raster& picture);

}  // namespace stamp::test
