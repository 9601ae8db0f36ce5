// The canvas size a record can describe: every canvas-sized buffer's byte count is stored in the
// 32-bit signed fields canvasBytes and canvasCopyBytes, so width x height x 3 must fit one; and
// the record's eight canvas-sized buffers and its panel raster must all lie below 4 GiB, where a
// 32-bit pointer field reaches. Checking both first keeps a host from filling gigabytes of
// buffers only to fail on the last one.
#pragma once

#include <cstdint>
#include <string>

#include "host/result.h"

namespace stamp::host {

inline constexpr int64_t kMaxRecordBytes = INT32_MAX;
inline constexpr int64_t kLowMemoryBytes = int64_t{1} << 32;
inline constexpr int64_t kCanvasBufferCount = 8;

// The canvas a host makes when its user names none.
inline constexpr int32_t kDefaultCanvasWidth = 480;
inline constexpr int32_t kDefaultCanvasHeight = 640;

// Bytes of one canvas-sized buffer, computed without overflow.
int64_t CanvasBufferBytes(int32_t width, int32_t height);

// Succeeds when a record can describe a canvas of this size, else says why not. Takes sizes wider
// than a record field, as a host may read them, and refuses those beyond it.
Status CheckCanvasSize(int64_t width, int64_t height);

}  // namespace stamp::host
