// PNG pictures decoded from memory through libpng, as 8-bit non-premultiplied RGBA of the values
// they store: 16-bit samples scaled to 8 bits, palettes and grey expanded, an opaque picture
// given alpha 255; no gamma is applied. The layers of layered files and the pictures of stamp
// sheets are both read so. A reader validates before it allocates: the header first, then
// whether the file is long enough for a picture of its size, and only then the rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "host/picture/over_white.h"

namespace stamp::host {

// Called now and then with the part of the rows read (0 to 1); false stops the read.
using PngProgress = std::function<bool(double done)>;

class PngReader {
 public:
  explicit PngReader(std::span<const uint8_t> png);
  ~PngReader();
  PngReader(const PngReader&) = delete;
  PngReader& operator=(const PngReader&) = delete;

  static bool HasSignature(std::span<const uint8_t> bytes);

  // Reads the header and sets the conversions; false with error() when it cannot.
  bool ReadHeader();
  uint32_t width() const;
  uint32_t height() const;
  // Whether the file's bytes could hold a picture of the header's size at all (PngCanHold of
  // picture_header.h); asked once the size has passed the canvas limits.
  bool CanHoldItsPicture() const;
  // Reads every row into rgba (width x height x 4 bytes, top row first), pass by pass, and the
  // rest of the file up to its end. False with error() on damage; false with error() empty when
  // progress stopped it.
  bool ReadRgba(std::vector<uint8_t>& rgba, const PngProgress& progress = {});
  // Hands each row (width x 4 bytes, top row first) to row as it is decoded, through one row's
  // buffer, and reads the rest of the file; an interlaced file is read whole first, since its
  // passes fill every row. False as ReadRgba is.
  bool ReadRowByRow(const std::function<void(const uint8_t* rgba)>& row,
                    const PngProgress& progress = {});

  const std::string& error() const;

 private:
  struct Decoder;
  std::unique_ptr<Decoder> decoder_;
};

}  // namespace stamp::host
