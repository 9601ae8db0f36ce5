// Writes an Image as an uncompressed 24-bit Windows BMP: a 14-byte file header, a 40-byte info
// header, then the rows bottom-up in blue, green, red order, each padded to a multiple of 4 bytes.
#pragma once

#include <filesystem>

#include "image.h"

namespace stamp::art {

// Returns false when the file cannot be created or written completely.
bool WriteBmp(const std::filesystem::path& path, const Image& image);

}  // namespace stamp::art
