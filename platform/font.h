// The font object: the platform's built-in bitmap font at one cell height in pixels.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/handle_table.h"

namespace stamp::platform {

inline constexpr int32_t kMinFontHeight = 8;
inline constexpr int32_t kMaxFontHeight = 32;
// The cell height of the font a new context starts with.
inline constexpr int32_t kDefaultFontHeight = 12;

class Font : public Object {
 public:
  static constexpr ObjectKind kKind = ObjectKind::Font;
  ObjectKind kind() const override { return kKind; }

  explicit Font(int32_t height) : pixelHeight(height) {}

  int32_t pixelHeight;
  int32_t selections = 0;     // how many contexts hold it
  PlatHandle stockOwner = 0;  // the context whose default font this is, 0 for others
};

}  // namespace stamp::platform
