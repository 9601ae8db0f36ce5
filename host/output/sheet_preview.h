// A preview of a stamp sheet's twelve cells: each 30 x 30 cell drawn at twice its size in a
// 4 x 3 layout with gaps, framed, with its number (0 to 11) drawn with the platform's text under
// it. Parts of a cell beyond a sheet smaller than 120 x 90 show a grey hatch.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/support/bmp_decoder.h"

namespace stamp::host {

inline constexpr int32_t kSheetPreviewWidth = 300;
inline constexpr int32_t kSheetPreviewHeight = 276;

// Draws the preview into pixels (kSheetPreviewWidth x kSheetPreviewHeight, in the record's layout:
// B,G,R, bottom row first); gives "" or why it could not be drawn.
std::string DrawSheetPreview(const platform::DecodedBmp& sheet, std::vector<uint8_t>& pixels);

// Writes the preview as a PNG file; gives "" or why it was not written.
std::string WriteSheetPreview(const platform::DecodedBmp& sheet, const std::filesystem::path& path);
// The same PNG file in memory; gives "" and fills png, or why it was not encoded.
std::string EncodeSheetPreview(const platform::DecodedBmp& sheet, std::vector<uint8_t>& png);

}  // namespace stamp::host
