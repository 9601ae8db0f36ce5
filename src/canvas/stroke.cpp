// The Stroke remembers whether one is under way. Pen move and pen up without a pen
// down before them (since start-up or the last pen up) find no clean overlay in overlaySave and
// no host flags saved, so they draw nothing and report nothing taken, instead of copying a stale
// overlaySave over the overlay and writing made-up flags into the host's record.
#include "src/canvas/stroke.h"

#include <cstring>
#include <utility>

#include "src/core/messages.h"
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

bool IsLayer(int32_t layer) { return stamp_rec_layer_buffer(layer) >= 0; }

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

void SaveHostFlags(Stroke& stroke, HostContext& host) {
  stroke.savedFlagA = host.hostFlagA();
  stroke.savedFlagB = host.hostFlagB();
  host.setHostFlagA(0);
  host.setHostFlagB(0);
}

void RestoreHostFlags(const Stroke& stroke, HostContext& host) {
  host.setHostFlagA(stroke.savedFlagA);
  host.setHostFlagB(stroke.savedFlagB);
}

}  // namespace

int32_t PenDown(Stroke& stroke, HostContext& host, const StrokeStamp& stamp, int32_t x, int32_t y) {
  if (!stamp) {
    plat_message_box(kPleaseLoadStamp);
    return STAMP_RESULT_NOT_TAKEN;
  }
  SaveHostFlags(stroke, host);
  SnapshotActiveLayer(host);
  SaveOverlay(host);
  MarkCanvasForUpdate(host);
  const CanvasPoint pen = ViewToCanvas(host, x, y);
  PressStamp(host.canvasView(host.overlayBuffer()), *stamp, pen.x, pen.y);
  stroke.active = true;
  return STAMP_RESULT_OVERLAY_CHANGED;
}

int32_t PenMove(const Stroke& stroke, HostContext& host, const StrokeStamp& stamp, int32_t x,
                int32_t y) {
  if (!stamp || !stroke.active) return STAMP_RESULT_NOT_TAKEN;
  MarkCanvasForUpdate(host);
  RestoreOverlay(host);
  PressStamp(host.canvasView(host.overlayBuffer()), *stamp, x, y);
  return STAMP_RESULT_OVERLAY_CHANGED;
}

// Any pen up ends the stroke, also one that finds the sheet gone, so no later event of another
// stroke can mistake it for one under way.
int32_t PenUp(Stroke& stroke, HostContext& host, const StrokeStamp& stamp, int32_t x, int32_t y) {
  const bool strokeWasActive = std::exchange(stroke.active, false);
  if (!stamp || !strokeWasActive) return STAMP_RESULT_NOT_TAKEN;
  RestoreHostFlags(stroke, host);
  RestoreOverlay(host);
  const int32_t layer = host.activeLayer();
  if (!IsLayer(layer)) return STAMP_RESULT_OVERLAY_CHANGED;
  PressStamp(host.canvasView(host.layerBuffer(layer)), *stamp, x, y);
  return STAMP_RESULT_LAYER_CHANGED;
}

}  // namespace stamp
