#include "host/output/png_rows.h"

#include <cstring>

namespace stamp::host {

Status CheckPicture(const Picture24& picture) {
  if (picture.width <= 0 || picture.height <= 0) return Failure{"picture has no pixels"};
  const size_t rowBytes = size_t(picture.width) * 3;
  if (picture.rowStride < rowBytes) return Failure{"row stride shorter than a row"};
  const size_t needed = picture.rowStride * size_t(picture.height - 1) + rowBytes;
  if (picture.pixels.size() < needed) return Failure{"picture buffer shorter than its rows"};
  return {};
}

RowPicture PictureRows(const Picture24& picture) {
  return {picture.width, picture.height, picture.order, [&picture](int32_t y, uint8_t* row) {
            const auto stored = static_cast<size_t>(picture.bottomUp ? picture.height - 1 - y : y);
            std::memcpy(row, picture.pixels.data() + stored * picture.rowStride,
                        size_t(picture.width) * 3);
          }};
}

}  // namespace stamp::host
