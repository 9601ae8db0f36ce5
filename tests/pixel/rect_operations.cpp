#include "pixel/rect_operations.h"

#include "pixel/reference_pixel_ops.h"

namespace stamp::test {

std::vector<RectOperation> AllRectOperations() {
  std::vector<RectOperation> operations = {
      {"SrcCopy", kEngineBlitCopy, reference::BlitCopy, kSrcCopy},
      {"NotSrcCopy", kEngineBlitCopy, reference::BlitCopy, kNotSrcCopy},
      {"SrcAnd", kEngineBlitCopy, reference::BlitCopy, kSrcAnd},
      {"SrcPaint", kEngineBlitCopy, reference::BlitCopy, kSrcPaint},
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
    operations.push_back(
        {std::string("Blend") + name, kEngineBlitBlend, reference::BlitBlend, mode++});
  }
  return operations;
}

}  // namespace stamp::test
