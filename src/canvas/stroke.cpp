// The module state remembers whether a stroke is under way. Pen move and pen up without a pen
// down before them (since start-up or the last pen up) find no clean overlay in overlaySave and
// no host flags saved, so they draw nothing and report nothing taken, instead of copying a stale
// overlaySave over the overlay and writing made-up flags into the host's record.
#include "src/canvas/stroke.h"

#include <cstring>
#include <utility>

#include "src/canvas/placement.h"
#include "src/core/messages.h"
#include "src/core/module_state.h"
#include "stamp/platform.h"
#include "stamp/plugin.h"

namespace stamp {
namespace {

// A whole canvas-sized buffer, as many bytes as the host's canvasCopyBytes says; a count of 0
// or less copies nothing.
void CopyWholeBuffer(uint8_t* dst, const uint8_t* src, int32_t bytes) {
  if (bytes <= 0 || dst == nullptr || src == nullptr) return;
  std::memcpy(dst, src, static_cast<size_t>(bytes));
}

bool IsLayer(int32_t layer) { return layer >= 0 && layer <= 2; }

// The undo snapshot of the layer being painted, taken once per stroke before anything is drawn.
// An activeLayer outside 0..2 names no layer: no snapshot, no flag.
void SnapshotActiveLayer(HostContext& host) {
  const int32_t layer = host.activeLayer();
  if (!IsLayer(layer)) return;
  CopyWholeBuffer(host.undoBuffer(), host.layerBuffer(layer), host.canvasCopyBytes());
  host.setUndoLayer(layer);
  host.setLayerTouched(layer, 1);
}

void MarkCanvasForUpdate(HostContext& host) {
  host.setUpdateRect(0, 0, host.canvasHeight(), host.canvasWidth());
}

void SaveOverlay(const HostContext& host) {
  CopyWholeBuffer(host.overlaySave(), host.overlayBuffer(), host.canvasCopyBytes());
}

void RestoreOverlay(const HostContext& host) {
  CopyWholeBuffer(host.overlayBuffer(), host.overlaySave(), host.canvasCopyBytes());
}

void SaveHostFlags(ModuleState& module) {
  module.savedFlagA = module.host.hostFlagA();
  module.savedFlagB = module.host.hostFlagB();
  module.host.setHostFlagA(0);
  module.host.setHostFlagB(0);
}

void RestoreHostFlags(ModuleState& module) {
  module.host.setHostFlagA(module.savedFlagA);
  module.host.setHostFlagB(module.savedFlagB);
}

}  // namespace

int32_t PenDown(int32_t x, int32_t y) {
  ModuleState& module = Module();
  if (!module.initialised) return STAMP_RESULT_NOT_TAKEN;
  if (!module.stampLoaded) {
    plat_message_box(kPleaseLoadStamp);
    return STAMP_RESULT_NOT_TAKEN;
  }
  HostContext& host = module.host;
  SaveHostFlags(module);
  SnapshotActiveLayer(host);
  SaveOverlay(host);
  MarkCanvasForUpdate(host);
  const CanvasPoint pen = ViewToCanvas(host, x, y);
  PressStamp(host.overlayBuffer(), pen.x, pen.y);
  module.strokeActive = true;
  return STAMP_RESULT_OVERLAY_CHANGED;
}

int32_t PenMove(int32_t x, int32_t y) {
  ModuleState& module = Module();
  if (!module.initialised || !module.stampLoaded || !module.strokeActive) {
    return STAMP_RESULT_NOT_TAKEN;
  }
  HostContext& host = module.host;
  MarkCanvasForUpdate(host);
  RestoreOverlay(host);
  PressStamp(host.overlayBuffer(), x, y);
  return STAMP_RESULT_OVERLAY_CHANGED;
}

// Any pen up ends the stroke, also one that finds the sheet gone, so no later event of another
// stroke can mistake it for one under way.
int32_t PenUp(int32_t x, int32_t y) {
  ModuleState& module = Module();
  if (!module.initialised) return STAMP_RESULT_NOT_TAKEN;
  const bool strokeWasActive = std::exchange(module.strokeActive, false);
  if (!module.stampLoaded || !strokeWasActive) return STAMP_RESULT_NOT_TAKEN;
  HostContext& host = module.host;
  RestoreHostFlags(module);
  RestoreOverlay(host);
  const int32_t layer = host.activeLayer();
  if (!IsLayer(layer)) return STAMP_RESULT_OVERLAY_CHANGED;
  PressStamp(host.layerBuffer(layer), x, y);
  return STAMP_RESULT_LAYER_CHANGED;
}

}  // namespace stamp
