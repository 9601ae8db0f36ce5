// The module's exports: the host's entry points, each forwarded to the subsystem that owns it.
// Every argument and result is a 32-bit integer or pointer.
#include <cstdint>

#include "canvas/stroke.h"
#include "panel/draw.h"
#include "panel/input.h"
#include "plugin/lifecycle.h"
#include "stamp/keys.h"

#ifdef _WIN32
#define PLG_EXPORT extern "C" /* the module definition file exports.def lists the exports */
#else
#define PLG_EXPORT extern "C" __attribute__((visibility("default")))
#endif

PLG_EXPORT int32_t plg_init(void* record) { return stamp::StartUp(record); }

PLG_EXPORT int32_t plg_destroy() {
  stamp::ShutDown();
  return 0;
}

PLG_EXPORT const char* plg_info() { return stamp::kToolName; }

PLG_EXPORT int32_t plg_version() { return stamp::kInterfaceVersion; }

// Panel drawing, and pen input on the panel in panel coordinates.
PLG_EXPORT int32_t plg_update_submenu() {
  stamp::DrawPanel();
  return 0;
}
PLG_EXPORT int32_t plg_submenu_down(int32_t x, int32_t y) { return stamp::PanelPenDown(x, y); }
PLG_EXPORT int32_t plg_submenu_move(int32_t x, int32_t y) { return stamp::PanelPenMove(x, y); }
PLG_EXPORT int32_t plg_submenu_up(int32_t x, int32_t y) { return stamp::PanelPenUp(x, y); }

// Canvas stroke: pen down in view coordinates, move (first two values unused) and up in canvas
// coordinates.
PLG_EXPORT int32_t plg_mouse_down(int32_t x, int32_t y) { return stamp::PenDown(x, y); }
PLG_EXPORT int32_t plg_mouse_move(int32_t, int32_t, int32_t x, int32_t y) {
  return stamp::PenMove(x, y);
}
PLG_EXPORT int32_t plg_mouse_up(int32_t x, int32_t y) { return stamp::PenUp(x, y); }

// The cell keys: previous and next cell.
PLG_EXPORT int32_t plg_key_a() { return stamp::KeyPreviousCell(); }
PLG_EXPORT int32_t plg_key_b() { return stamp::KeyNextCell(); }
