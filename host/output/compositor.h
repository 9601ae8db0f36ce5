// The canvas as the host shows it: white multiplied by layer 0, layer 1, layer 2 and then the
// overlay, each channel by s * d / 255 truncated, the plug-in's multiply blend, in that order
// (truncation makes the order matter). White is neutral, so an untouched layer leaves the
// picture alone.
//
// Nothing is composited ahead of need: a caller asks for the rows it shows or writes. A window
// keeps the product of white and the three layers (which changes only when a stamp lands, at
// undo or when the layers are replaced), so a frame costs one multiply by the overlay over the
// rows it shows; a script host keeps nothing and multiplies the four buffers row by row.
#pragma once

#include <cstdint>
#include <vector>

#include "host/record/complete_record.h"

namespace stamp::host {

class Compositor {
 public:
  explicit Compositor(const HostRecord& record) : record_(record) {}

  // Keep the layers' product from now on: one canvas-sized cache, made at the next row asked.
  void KeepLayerProduct() { keep_ = true; }
  // A layer's bytes changed: the kept product is made again at the next row asked.
  void LayersChanged() { productValid_ = false; }

  // Canvas row y (0 is the top row), columns x to x + width - 1, as B,G,R bytes into out
  // (width * 3 bytes). The segment must lie inside the canvas.
  void Row(int32_t y, int32_t x, int32_t width, uint8_t* out);
  // The same segment of the picture alone, white times the three layers: without the preview the
  // overlay holds, for what is saved or exported as the picture.
  void PictureRow(int32_t y, int32_t x, int32_t width, uint8_t* out);

 private:
  size_t Offset(int32_t y, int32_t x) const;
  const uint8_t* LayerProduct();

  const HostRecord& record_;
  bool keep_ = false;
  bool productValid_ = false;
  std::vector<uint8_t> product_;
};

}  // namespace stamp::host
