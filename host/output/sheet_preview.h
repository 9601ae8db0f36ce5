// A preview of a stamp sheet's twelve cells: each 30 x 30 cell drawn at twice its size in a
// 4 x 3 layout with gaps, framed, with its number (0 to 11) drawn with the platform's text under
// it. Parts of a cell beyond a sheet smaller than 120 x 90 show a grey hatch.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "host/result.h"
#include "platform/portable/bmp/bmp_decoder.h"

namespace stamp::host {

inline constexpr int32_t kSheetPreviewWidth = 300;
inline constexpr int32_t kSheetPreviewHeight = 276;

// Draws the preview into pixels (kSheetPreviewWidth x kSheetPreviewHeight, in the record's layout:
// B,G,R, bottom row first), or fails saying why it could not be drawn.
Result<std::vector<uint8_t>> DrawSheetPreview(const platform::DecodedBmp& sheet);

// Writes the preview as a PNG file, or fails saying why it was not written.
Status WriteSheetPreview(const platform::DecodedBmp& sheet, const std::filesystem::path& path);
// The same PNG file in memory, or why it was not encoded.
Result<std::vector<uint8_t>> EncodeSheetPreview(const platform::DecodedBmp& sheet);

}  // namespace stamp::host
