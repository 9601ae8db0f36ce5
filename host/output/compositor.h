// The canvas as the host shows it: white multiplied by layer 0, layer 1, layer 2 and then the
// overlay, each channel by s * d / 255 truncated, the plug-in's multiply blend. White is neutral,
// so an untouched layer leaves the picture alone.
#pragma once

#include <cstdint>
#include <vector>

#include "host/record/host_record.h"

namespace stamp::host {

// The composite in the record's raster layout (B,G,R, bottom-up, canvasWidth x canvasHeight).
std::vector<uint8_t> CompositeCanvas(const HostRecord& record);

}  // namespace stamp::host
