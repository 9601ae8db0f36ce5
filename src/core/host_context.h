// The host's record, read and written field by field at the offsets of stamp/host_record.h.
// The record is the host's: this type only views it (no copy, no ownership). Pointer and handle
// fields are 32-bit values; buffers they name lie below 4 GiB.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "src/core/image_view.h"
#include "stamp/host_record.h"
#include "stamp/platform.h"

namespace stamp {

class HostContext {
 public:
  HostContext() = default;
  explicit HostContext(void* record) : base_(static_cast<uint8_t*>(record)) {}

  bool valid() const { return base_ != nullptr; }
  void* record() const { return base_; }

  PlatHandle mainWindow() const { return Read<uint32_t>(STAMP_REC_MAIN_WINDOW); }
  uint8_t* frameWindow() const { return Pointer(STAMP_REC_FRAME_WINDOW); }
  ::PlatApp* profileApp() const {
    return reinterpret_cast<::PlatApp*>(Pointer(STAMP_REC_PROFILE_APP));
  }
  std::u16string hostDirectory() const;

  void setLayerTouched(int32_t layer, int32_t value) {
    Write(STAMP_REC_LAYER_TOUCHED + 4 * static_cast<uint32_t>(layer), value);
  }
  void setUpdateRect(int32_t a, int32_t b, int32_t c, int32_t d);

  int32_t hostFlagA() const { return Read<int32_t>(STAMP_REC_HOST_FLAG_A); }
  int32_t hostFlagB() const { return Read<int32_t>(STAMP_REC_HOST_FLAG_B); }
  void setHostFlagA(int32_t v) { Write(STAMP_REC_HOST_FLAG_A, v); }
  void setHostFlagB(int32_t v) { Write(STAMP_REC_HOST_FLAG_B, v); }
  int32_t activeLayer() const { return Read<int32_t>(STAMP_REC_ACTIVE_LAYER); }
  void setUndoLayer(int32_t v) { Write(STAMP_REC_UNDO_LAYER, v); }
  int32_t viewY() const { return Read<int32_t>(STAMP_REC_VIEW_Y); }
  int32_t viewX() const { return Read<int32_t>(STAMP_REC_VIEW_X); }
  int32_t zoomShift() const { return Read<int32_t>(STAMP_REC_ZOOM_SHIFT); }

  int32_t canvasWidth() const { return Read<int32_t>(STAMP_REC_CANVAS_WIDTH); }
  int32_t canvasHeight() const { return Read<int32_t>(STAMP_REC_CANVAS_HEIGHT); }
  int32_t canvasCopyBytes() const { return Read<int32_t>(STAMP_REC_CANVAS_COPY_BYTES); }
  int32_t panelBytes() const { return Read<int32_t>(STAMP_REC_PANEL_BYTES); }
  int32_t canvasBytes() const { return Read<int32_t>(STAMP_REC_CANVAS_BYTES); }

  uint8_t* panelBuffer() const { return Pointer(STAMP_REC_PANEL_BUFFER); }
  uint8_t* overlayBuffer() const { return Pointer(STAMP_REC_OVERLAY_BUFFER); }
  uint8_t* undoBuffer() const { return Pointer(STAMP_REC_UNDO_BUFFER); }
  // Layer 0, 1 or 2 (the record keeps them in the order 0, 2, 1); nullptr for any other index.
  uint8_t* layerBuffer(int32_t layer) const;
  uint8_t* overlaySave() const { return Pointer(STAMP_REC_OVERLAY_SAVE); }
  uint8_t* scratchBuffer() const { return Pointer(STAMP_REC_SCRATCH_BUFFER); }
  uint8_t* stampBuffer() const { return Pointer(STAMP_REC_STAMP_BUFFER); }
  PlatHandle panelDC() const { return Read<uint32_t>(STAMP_REC_PANEL_DC); }

  // A canvas-sized buffer (a layer, the overlay, stampBuffer, ...) with the canvas geometry;
  // without a record or with a null buffer, a view that holds no pixel.
  ImageView canvasView(uint8_t* buffer) const;
  // The host's 240 x 1050 panel raster, bounded by panelBytes; none when its field is null.
  ImageView panelRaster() const;
  PlatHandle canvasDC() const { return Read<uint32_t>(STAMP_REC_CANVAS_DC); }

 private:
  template <typename T>
  T Read(uint32_t offset) const {
    T value;
    std::memcpy(&value, base_ + offset, sizeof value);
    return value;
  }
  void Write(uint32_t offset, int32_t value) { std::memcpy(base_ + offset, &value, sizeof value); }
  uint8_t* Pointer(uint32_t offset) const {
    return reinterpret_cast<uint8_t*>(uintptr_t{Read<uint32_t>(offset)});
  }

  uint8_t* base_ = nullptr;
};

}  // namespace stamp
