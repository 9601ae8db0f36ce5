// Every rectangle operation of the engine (four raster operations, eleven blend modes) as one
// parameter type, so a test can run over all of them, on the engine or on the reference model.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "src/pixel/pixel_ops.h"

namespace stamp::test {

using RectFunction = void (*)(uint8_t* dst, int32_t dstWidth, int32_t dstHeight, int32_t dx,
                              int32_t dy, int32_t width, int32_t height, const uint8_t* src,
                              int32_t srcWidth, int32_t srcHeight, int32_t sx, int32_t sy,
                              int32_t code, int32_t dstBytes, int32_t srcBytes);

// An engine operation (BlitCopy or BlitBlend) as a RectFunction: each buffer spelled out as
// pointer, width, height and byte size, in the reference model's argument order.
template <auto Operation>
void SpelledOut(uint8_t* dst, int32_t dstWidth, int32_t dstHeight, int32_t dx, int32_t dy,
                int32_t width, int32_t height, const uint8_t* src, int32_t srcWidth,
                int32_t srcHeight, int32_t sx, int32_t sy, int32_t code, int32_t dstBytes,
                int32_t srcBytes) {
  Operation(ImageView{dst, dstWidth, dstHeight, dstBytes}, dx, dy, width, height,
            ConstImageView{src, srcWidth, srcHeight, srcBytes}, sx, sy, code);
}
inline constexpr RectFunction kEngineBlitCopy = SpelledOut<BlitCopy>;
inline constexpr RectFunction kEngineBlitBlend = SpelledOut<BlitBlend>;

struct RectOperation {
  std::string name;
  RectFunction engine;     // kEngineBlitCopy or kEngineBlitBlend
  RectFunction reference;  // the same function of stamp::reference
  int32_t code;            // raster-operation code or blend mode
};

std::vector<RectOperation> AllRectOperations();

inline void PrintTo(const RectOperation& op, std::ostream* out) { *out << op.name; }

// Names the cases of a test parameterised over the operations (a gtest name generator).
struct OperationName {
  template <typename ParamInfo>
  std::string operator()(const ParamInfo& info) const {
    return info.param.name;
  }
};

}  // namespace stamp::test
