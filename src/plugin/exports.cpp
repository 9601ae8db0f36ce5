// The module's exports: the host's entry points, each forwarded to its work over the session
// under the guard that keeps exceptions inside the module (stamp/c_boundary.h): an escaped one,
// in practice std::bad_alloc from a string or a vector, gives the export's failure result after
// the export's own recovery has run. stamp/plugin.h declares them, so the compiler holds every
// definition to the contract's signature.
#include "stamp/plugin.h"

#include "src/plugin/events.h"
#include "src/plugin/lifecycle.h"
#include "stamp/c_boundary.h"

namespace {

constexpr int32_t kStartUpFailed = 0;
constexpr int32_t kDone = 0;  // plg_destroy and plg_update_submenu give 0 either way
constexpr int32_t kNotTaken = STAMP_RESULT_NOT_TAKEN;

}  // namespace

extern "C" {

int32_t plg_init(void* record) {
  return stamp::GuardedCall(
      kStartUpFailed, [&] { return stamp::StartUp(record); },
      [](const char*) { stamp::AbandonStartUp(); });
}

int32_t plg_destroy() {
  return stamp::GuardedCall(kDone, [] {
    stamp::ShutDown();
    return kDone;
  });
}

const char* plg_info() { return stamp::kToolName; }

int32_t plg_version() { return stamp::kInterfaceVersion; }

// Panel drawing, and pen input on the panel in panel coordinates.
int32_t plg_update_submenu() {
  return stamp::GuardedCall(kDone, [] {
    stamp::UpdatePanel();
    return kDone;
  });
}
int32_t plg_submenu_down(int32_t x, int32_t y) {
  return stamp::GuardedCall(kNotTaken, [=] { return stamp::PanelDown(x, y); });
}
int32_t plg_submenu_move(int32_t x, int32_t y) {
  return stamp::GuardedCall(kNotTaken, [=] { return stamp::PanelMove(x, y); });
}
int32_t plg_submenu_up(int32_t x, int32_t y) {
  return stamp::GuardedCall(kNotTaken, [=] { return stamp::PanelUp(x, y); });
}

// Canvas stroke: pen down in view coordinates, move (first two values unused) and up in canvas
// coordinates.
int32_t plg_mouse_down(int32_t x, int32_t y) {
  return stamp::GuardedCall(kNotTaken, [=] { return stamp::CanvasDown(x, y); });
}
int32_t plg_mouse_move(int32_t, int32_t, int32_t x, int32_t y) {
  return stamp::GuardedCall(kNotTaken, [=] { return stamp::CanvasMove(x, y); });
}
int32_t plg_mouse_up(int32_t x, int32_t y) {
  return stamp::GuardedCall(kNotTaken, [=] { return stamp::CanvasUp(x, y); });
}

// The cell keys: previous and next cell.
int32_t plg_key_a() {
  return stamp::GuardedCall(kNotTaken, [] { return stamp::KeyPreviousCell(); });
}
int32_t plg_key_b() {
  return stamp::GuardedCall(kNotTaken, [] { return stamp::KeyNextCell(); });
}

}  // extern "C"
