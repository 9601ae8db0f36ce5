// A preview of a stamp sheet's twelve cells: each 30 x 30 cell drawn at twice its size in a
// 4 x 3 layout with gaps, framed, with its number (0 to 11) drawn with the platform's text under
// it. Parts of a cell beyond a sheet smaller than 120 x 90 show a grey hatch.
#pragma once

#include <filesystem>
#include <string>

#include "stamp/support/bmp_decoder.h"

namespace stamp::host {

// Writes the preview as a PNG file; gives "" or why it was not written.
std::string WriteSheetPreview(const platform::DecodedBmp& sheet, const std::filesystem::path& path);

}  // namespace stamp::host
