#include "pixel/rect_operations.h"

#include <cstring>

#include "pixel/reference_pixel_ops.h"
#include "src/pixel/pixel_ops.h"

namespace stamp::test {

std::vector<RectOperation> AllRectOperations() {
  std::vector<RectOperation> operations = {
      {"SrcCopy", BlitCopy, reference::BlitCopy, kSrcCopy},
      {"NotSrcCopy", BlitCopy, reference::BlitCopy, kNotSrcCopy},
      {"SrcAnd", BlitCopy, reference::BlitCopy, kSrcAnd},
      {"SrcPaint", BlitCopy, reference::BlitCopy, kSrcPaint},
  };
  const char* const blendNames[] = {
      "Lighten",
      "Darken",
      "And",
      "Or",
      "Add",
      "SourceMinusDest",
      "Multiply",
      "AddProduct",
      "SubtractProduct",
      "TransparentWhite",
      "ScreenInverted",
  };
  int32_t mode = 0;
  for (const char* name : blendNames) {
    operations.push_back({std::string("Blend") + name, BlitBlend, reference::BlitBlend, mode++});
  }
  return operations;
}

AllBytePairs::AllBytePairs() : source(kSide * kSide * 3), target(source.size()) {
  for (size_t pair = 0; pair < kSide * kSide; ++pair) {
    std::memset(&source[pair * 3], static_cast<int>(pair % kSide), 3);
    std::memset(&target[pair * 3], static_cast<int>(pair / kSide), 3);
  }
}

void AllBytePairs::Apply(RectFunction function, int32_t code) {
  const auto bytes = static_cast<int32_t>(source.size());
  function(target.data(), kSide, kSide, 0, 0, kSide, kSide, source.data(), kSide, kSide, 0, 0, code,
           bytes, bytes);
}

}  // namespace stamp::test
