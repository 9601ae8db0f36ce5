// The decoders each system reads a picture file with when it is not a BMP (those go through the
// platform's own decoder on both): libpng for PNG on Linux (picture_decoders_posix.cpp); the
// system's imaging component (WIC) for PNG, JPEG, GIF and TIFF on Windows
// (picture_decoders_win32.cpp), whose PNG rows come out as libpng's do. Either checks the
// picture's size before it allocates for its pixels.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "host/picture/picture_reader.h"

namespace stamp::host {

// file, the admitted bytes of path, row by row into rows, or why it is refused, naming path.
Status DecodeNonBmpRows(const std::string& path, std::span<const uint8_t> file, PictureRows& rows);

}  // namespace stamp::host
