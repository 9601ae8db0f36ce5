// Reads the committed artwork as plain bytes: the tests check the files exactly as they ship,
// independent of the platform's BMP decoder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/raster.h"
#include "support/test_files.h"

namespace stamp::assets_test {

using test::Raster;
using test::ReadBytes;
using test::Rgb;

inline bool IsWhite(Rgb pixel) { return pixel == Rgb{255, 255, 255}; }
inline bool IsBlack(Rgb pixel) { return pixel == Rgb{0, 0, 0}; }
// Ink that shows clearly when multiplied onto white: at least one channel below half.
inline bool IsDark(Rgb pixel) { return pixel.red < 128 || pixel.green < 128 || pixel.blue < 128; }

// Parses an uncompressed, bottom-up 24-bit BMP with a 40-byte info header, and nothing else: on
// any other layout gives nothing and says why in error.
std::optional<Raster> ParseBmp24(const std::vector<uint8_t>& bytes, std::string& error);

}  // namespace stamp::assets_test
