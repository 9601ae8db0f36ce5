// Exact area-average reduction of a picture of any size, for the cells of sheets made from
// pictures. It gives the bytes the tool's own reduction gives for the sizes
// the tool handles, for every size a picture may have.
#pragma once

#include <cstdint>

#include "host/picture/picture_reader.h"

namespace stamp::host {

// source shrunk to width x height (at least 1 x 1 and no larger than source on either axis).
// Each pixel becomes the exact area-weighted mean of the source pixels it covers, per channel,
// truncated once.
Picture ReduceAreaAverage(const Picture& source, int32_t width, int32_t height);

}  // namespace stamp::host
