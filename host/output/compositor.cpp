#include "host/output/compositor.h"

#include <algorithm>

#include "host/output/compositor_rows.h"

namespace stamp::host {
namespace {

constexpr size_t kPixelBytes = 3;

}  // namespace

// The record's rasters are stored bottom-up: canvas row y starts at row H - 1 - y.
size_t Compositor::Offset(int32_t y, int32_t x) const {
  const auto storedRow = static_cast<size_t>(record_.canvasHeight() - 1 - y);
  return (storedRow * static_cast<size_t>(record_.canvasWidth()) + static_cast<size_t>(x)) *
         kPixelBytes;
}

// White times layer 0 is layer 0 itself (255 * d / 255 is d), so the product starts from the
// first multiply, layer 0 by layer 1.
const uint8_t* Compositor::LayerProduct() {
  if (!productValid_) {
    const size_t bytes = record_.canvasBytes();
    product_.resize(bytes);
    MultiplyInto(product_.data(), record_.buffer(STAMP_REC_LAYER0_BUFFER),
                 record_.buffer(STAMP_REC_LAYER1_BUFFER), bytes);
    MultiplyInPlace(product_.data(), record_.buffer(STAMP_REC_LAYER2_BUFFER), bytes);
    productValid_ = true;
  }
  return product_.data();
}

void Compositor::Row(int32_t y, int32_t x, int32_t width, uint8_t* out) {
  const size_t offset = Offset(y, x);
  const size_t bytes = static_cast<size_t>(width) * kPixelBytes;
  const uint8_t* overlay = record_.buffer(STAMP_REC_OVERLAY_BUFFER) + offset;
  if (keep_) {
    MultiplyInto(out, LayerProduct() + offset, overlay, bytes);
    return;
  }
  PictureRow(y, x, width, out);
  MultiplyInPlace(out, overlay, bytes);
}

void Compositor::PictureRow(int32_t y, int32_t x, int32_t width, uint8_t* out) {
  const size_t offset = Offset(y, x);
  const size_t bytes = static_cast<size_t>(width) * kPixelBytes;
  if (keep_) {
    std::copy_n(LayerProduct() + offset, bytes, out);
    return;
  }
  MultiplyInto(out, record_.buffer(STAMP_REC_LAYER0_BUFFER) + offset,
               record_.buffer(STAMP_REC_LAYER1_BUFFER) + offset, bytes);
  MultiplyInPlace(out, record_.buffer(STAMP_REC_LAYER2_BUFFER) + offset, bytes);
}

}  // namespace stamp::host
