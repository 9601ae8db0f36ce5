// The memory drawing context: the bitmap and font selected into it, and the text colours and
// background mode used by text drawing. A new context holds its own stock objects: a 1x1
// monochrome bitmap and the default font, which live and die with it and are never selected
// into another context.
#pragma once

#include <cstdint>

#include "platform/posix/gdi/gdi_bitmap.h"
#include "platform/posix/system/handle_table.h"

namespace stamp::platform {

inline constexpr uint32_t kBlack = 0x000000;
inline constexpr uint32_t kWhite = 0xFFFFFF;

class Context : public Object {
 public:
  static constexpr ObjectKind kKind = ObjectKind::Context;
  ObjectKind kind() const override { return kKind; }

  PlatHandle bitmap = 0;  // always names a live bitmap (the stock one at first)
  PlatHandle font = 0;    // always names a live font (the stock one at first)
  PlatHandle stockBitmap = 0;
  PlatHandle stockFont = 0;
  uint32_t textColor = kBlack;  // 0x00BBGGRR
  uint32_t backgroundColor = kWhite;
  int32_t backgroundMode = PLAT_OPAQUE;
};

// The bitmap selected into the context named by dc, or nullptr (reason recorded).
Bitmap* SelectedBitmap(PlatHandle dc);

}  // namespace stamp::platform
