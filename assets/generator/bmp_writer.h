// Writes an Image as an uncompressed 24-bit Windows BMP: a 14-byte file header, a 40-byte info
// header, then the rows bottom-up in blue, green, red order, each padded to a multiple of 4 bytes.
// Also writes a 32x32 image as a Windows icon file holding one 16-colour image.
#pragma once

#include <filesystem>

#include "image.h"

namespace stamp::art {

// Returns false when the file cannot be created or written completely.
bool WriteBmp(const std::filesystem::path& path, const Image& image);

// The icon's side and its 16 colours, the standard palette of 4-bit displays. Every pixel of the
// image must be one of them or kTransparent, which the icon's mask leaves see-through.
inline constexpr int kIconSide = 32;
inline constexpr Rgb kIconPalette[16] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
inline constexpr Rgb kTransparent{1, 2, 3};

// Returns false when a pixel is outside the palette or the file cannot be written.
bool WriteIcon(const std::filesystem::path& path, const Image& image);

}  // namespace stamp::art
