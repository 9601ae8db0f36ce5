// The text state of a context: text colour, background colour and background mode. Each setter
// gives back the previous value; for a handle that names no context a colour setter gives
// kInvalidColor and the mode setter 0, as Windows does.
#include "platform/posix/gdi/gdi_context.h"
#include "platform/portable/last_error.h"

namespace {

constexpr uint32_t kInvalidColor = 0xFFFFFFFF;

template <typename T>
T Exchange(T& slot, T value) {
  const T previous = slot;
  slot = value;
  return previous;
}

}  // namespace

using stamp::platform::Context;
using stamp::platform::Fail;
using stamp::platform::Find;

uint32_t plat_set_text_color(PlatHandle dc, uint32_t color) {
  Context* context = Find<Context>(dc);
  if (context == nullptr) return Fail("plat_set_text_color: not a drawing context", kInvalidColor);
  return Exchange(context->textColor, color);
}

uint32_t plat_set_bk_color(PlatHandle dc, uint32_t color) {
  Context* context = Find<Context>(dc);
  if (context == nullptr) return Fail("plat_set_bk_color: not a drawing context", kInvalidColor);
  return Exchange(context->backgroundColor, color);
}

int32_t plat_set_bk_mode(PlatHandle dc, int32_t mode) {
  Context* context = Find<Context>(dc);
  if (context == nullptr) return Fail("plat_set_bk_mode: not a drawing context", 0);
  if (mode != PLAT_OPAQUE && mode != PLAT_TRANSPARENT) {
    return Fail("plat_set_bk_mode: unknown mode", 0);
  }
  return Exchange(context->backgroundMode, mode);
}
