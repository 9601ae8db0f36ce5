// The module's exports: the host's entry points, each forwarded to the subsystem that owns it
// under the guard that keeps exceptions inside the module. stamp/plugin.h declares them, so the
// compiler holds every definition to the contract's signature.
#include "stamp/plugin.h"

#include "src/canvas/stroke.h"
#include "src/panel/draw.h"
#include "src/panel/input.h"
#include "src/plugin/export_guard.h"
#include "src/plugin/lifecycle.h"
#include "src/stamp/keys.h"

namespace {

constexpr int32_t kStartUpFailed = 0;
constexpr int32_t kDone = 0;  // plg_destroy and plg_update_submenu give 0 either way
constexpr int32_t kNotTaken = STAMP_RESULT_NOT_TAKEN;

}  // namespace

extern "C" {

int32_t plg_init(void* record) {
  return stamp::Guarded(
      kStartUpFailed, [&] { return stamp::StartUp(record); }, stamp::AbandonStartUp);
}

int32_t plg_destroy() {
  return stamp::Guarded(kDone, [] {
    stamp::ShutDown();
    return kDone;
  });
}

const char* plg_info() { return stamp::kToolName; }

int32_t plg_version() { return stamp::kInterfaceVersion; }

// Panel drawing, and pen input on the panel in panel coordinates.
int32_t plg_update_submenu() {
  return stamp::Guarded(kDone, [] {
    stamp::DrawPanel();
    return kDone;
  });
}
int32_t plg_submenu_down(int32_t x, int32_t y) {
  return stamp::Guarded(kNotTaken, [=] { return stamp::PanelPenDown(x, y); });
}
int32_t plg_submenu_move(int32_t x, int32_t y) {
  return stamp::Guarded(kNotTaken, [=] { return stamp::PanelPenMove(x, y); });
}
int32_t plg_submenu_up(int32_t x, int32_t y) {
  return stamp::Guarded(kNotTaken, [=] { return stamp::PanelPenUp(x, y); });
}

// Canvas stroke: pen down in view coordinates, move (first two values unused) and up in canvas
// coordinates.
int32_t plg_mouse_down(int32_t x, int32_t y) {
  return stamp::Guarded(kNotTaken, [=] { return stamp::PenDown(x, y); });
}
int32_t plg_mouse_move(int32_t, int32_t, int32_t x, int32_t y) {
  return stamp::Guarded(kNotTaken, [=] { return stamp::PenMove(x, y); });
}
int32_t plg_mouse_up(int32_t x, int32_t y) {
  return stamp::Guarded(kNotTaken, [=] { return stamp::PenUp(x, y); });
}

// The cell keys: previous and next cell.
int32_t plg_key_a() {
  return stamp::Guarded(kNotTaken, [] { return stamp::KeyPreviousCell(); });
}
int32_t plg_key_b() {
  return stamp::Guarded(kNotTaken, [] { return stamp::KeyNextCell(); });
}

}  // extern "C"
