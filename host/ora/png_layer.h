// A layer's PNG as the record's pixels. OpenRaster layers are sRGB with non-premultiplied alpha,
// 8 or 16 bits a channel; each pixel, its alpha scaled by the layer's opacity, is laid over white
// (the colour that leaves the layers behind unchanged) with a plain blend of the stored values,
// as the layer shows: no conversion to linear light. 8-bit opaque pixels come in unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/ora/read_progress.h"
#include "host/result.h"

namespace stamp::ora {

// Checks what png's header tells before anything is decoded or allocated: a PNG, exactly
// width x height, long enough for its size; or one sentence naming the entry and why not.
host::Status CheckLayerPng(const std::string& name, const std::vector<uint8_t>& png, int32_t width,
                           int32_t height);

// Decodes png, which must be exactly width x height, into pixels (width x height x 3 bytes) in
// the record's layout (B,G,R, bottom row first), row by row, so no more than a row of it is held
// beside pixels; with pixels nullptr the rows are decoded and dropped, which checks the layer.
// opacity runs from 0 (the layer reads as white) to 1. Fails with one sentence naming the entry
// and why it is refused: not a PNG, another size, too short for its size (checked before
// anything is allocated), damaged, or stopped by progress.
host::Status DecodeLayerOverWhite(const std::string& name, const std::vector<uint8_t>& png,
                                  int32_t width, int32_t height, double opacity, uint8_t* pixels,
                                  const ReadProgress& progress = {});

}  // namespace stamp::ora
