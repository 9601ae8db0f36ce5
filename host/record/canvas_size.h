// The canvas size a record can describe: every canvas-sized buffer's byte count is stored in the
// 32-bit signed fields canvasBytes and canvasCopyBytes, so width x height x 3 must fit one.
#pragma once

#include <cstdint>
#include <string>

namespace stamp::host {

inline constexpr int64_t kMaxRecordBytes = INT32_MAX;

// Bytes of one canvas-sized buffer, computed without overflow.
int64_t CanvasBufferBytes(int32_t width, int32_t height);

// Why a record cannot describe a canvas of this size; empty when it can.
std::string CanvasSizeProblem(int32_t width, int32_t height);

}  // namespace stamp::host
