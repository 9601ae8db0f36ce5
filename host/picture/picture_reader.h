// A picture file read without trusting it: the file is admitted first (a regular file of at most
// kMaxPictureFileBytes, opened without blocking, so a FIFO or a device is refused at once), its
// size is checked against the canvas limits from its header before its pixels are allocated, and
// its rows are handed on as they are decoded (a PNG that is not interlaced is never held whole
// on Linux). BMP goes through the platform's own decoder on both systems, so it reads alike;
// PNG through libpng on Linux, which must read it to its end, and PNG, JPEG, GIF and TIFF
// through the system's imaging component on Windows (picture_decoders.h). Every refusal is one
// sentence naming the file.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "host/result.h"

namespace stamp::host {

inline constexpr uint64_t kMaxPictureFileBytes = uint64_t{256} << 20;

// width x height pixels, 3 bytes each (blue, green, red), top row first, rows unpadded; any
// transparency laid over white.
struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> pixels;
};

// Where a picture's rows go as they are decoded: Size once its size is admitted, then Row for
// each row, top row first, width pixels of 3 bytes (blue, green, red).
class PictureRows {
 public:
  virtual ~PictureRows() = default;
  virtual void Size(int32_t width, int32_t height) = 0;
  virtual void Row(const uint8_t* pixels) = 0;
};

// A picture file of the system's formats, row by row into rows, or why it is refused, naming it
// (after a refusal rows may have had some of the rows).
Status ReadPictureRows(const std::string& path, PictureRows& rows);
// The bytes of a BMP file, decoded whole as ReadPictureRows decodes them, or why they are refused,
// naming path.
Result<Picture> DecodeBmpPicture(const std::string& path, std::span<const uint8_t> file);

// "PATH cannot be read: WHY".
Failure PictureRefusal(const std::string& path, const std::string& why);
// Fails when no canvas can hold a picture of this size, naming path.
Status CheckPictureSize(const std::string& path, int64_t width, int64_t height);

}  // namespace stamp::host
