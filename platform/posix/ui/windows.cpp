#include "platform/posix/ui/windows.h"

#include <algorithm>
#include <limits>
#include <memory>

#include "platform/portable/last_error.h"
#include "platform/posix/ui/ui_backend.h"

using namespace stamp::platform;

namespace {

// start + extent, held to the 32-bit range a placement far out could leave.
int32_t FarEdge(int32_t start, int32_t extent) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{start} + extent,
                                                  std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace

PlatHandle plat_create_window(void) {
  return GuardedCall(PlatHandle{0}, [] { return AddObject(std::make_unique<Window>()); });
}

int32_t plat_destroy_window(PlatHandle window) {
  if (Find<Window>(window) == nullptr) return Fail("not a window", 0);
  return RemoveObject(window) ? 1 : 0;
}

// Moves and sizes the window unless SWP_NOMOVE / SWP_NOSIZE say otherwise, shows it with
// SWP_SHOWWINDOW, and tells the back end. The z-order (insertAfter) is only passed on.
int32_t plat_set_window_pos(PlatHandle window, PlatHandle insertAfter, int32_t x, int32_t y,
                            int32_t width, int32_t height, uint32_t flags) {
  Window* placed = Find<Window>(window);
  if (placed == nullptr) return Fail("window position for no window", 0);
  if ((flags & PLAT_SWP_NOMOVE) == 0) {
    placed->x = x;
    placed->y = y;
  }
  if ((flags & PLAT_SWP_NOSIZE) == 0) {
    placed->width = width;
    placed->height = height;
  }
  if ((flags & PLAT_SWP_SHOWWINDOW) != 0) placed->shown = true;
  const PlatUiBackend& ui = UiBackend();
  if (ui.window_pos != nullptr)
    ui.window_pos(ui.user, window, insertAfter, x, y, width, height, flags);
  return 1;
}

int32_t plat_get_window_rect(PlatHandle window, PlatRect* rect) {
  const Window* placed = Find<Window>(window);
  if (placed == nullptr || rect == nullptr) return Fail("window rectangle for no window", 0);
  *rect = {placed->x, placed->y, FarEdge(placed->x, placed->width),
           FarEdge(placed->y, placed->height)};
  return 1;
}

int32_t plat_is_window_visible(PlatHandle window) {
  const Window* placed = Find<Window>(window);
  return placed != nullptr && placed->shown ? 1 : 0;
}
