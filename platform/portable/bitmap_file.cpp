#include "platform/portable/bitmap_file.h"

#include <cstring>

#include "platform/portable/bmp/bmp_decoder.h"
#include "platform/portable/last_error.h"

namespace stamp::platform {

PlatHandle DecodeIntoBitmap(std::span<const uint8_t> file, const std::string& shownPath,
                            const MakeLoadedBitmap& make) {
  const BmpDecodeResult decoded = DecodeBmp(file);
  if (!decoded.image) return Fail(shownPath + ": " + decoded.error, PlatHandle{0});
  const DecodedBmp& image = *decoded.image;
  if (!FillsItsFormat(image)) return Fail("decoded image has the wrong size", PlatHandle{0});
  const LoadedBitmap bitmap = make(image.format.width, image.format.height);
  if (bitmap.handle == 0) return 0;
  for (int32_t y = 0; y < image.format.height; ++y) {
    const std::span<const uint8_t> row = DecodedRow(image, y);
    std::memcpy(bitmap.row(y), row.data(), row.size());
  }
  return bitmap.handle;
}

}  // namespace stamp::platform
