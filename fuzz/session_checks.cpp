#include "fuzz/session_checks.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "src/plugin/module_state.h"
#include "stamp/host_record.h"

namespace stamp::fuzz {
namespace {

constexpr int32_t kCellCount = 12;
constexpr uint32_t kIntBytes = 4;

bool Changed(const uint8_t* now, const std::vector<uint8_t>& before) {
  return std::memcmp(now, before.data(), before.size()) != 0;
}

}  // namespace

void Fail(const char* what) {
  std::fprintf(stderr, "session check failed: %s\n", what);
  std::fflush(stderr);
  __builtin_trap();
}

HostWatch::HostWatch(const host::HostRecord& record) : record_(record) {
  const uint8_t* panel = record_.buffer(STAMP_REC_PANEL_BUFFER);
  panel_.assign(panel, panel + record_.raster(STAMP_REC_PANEL_BUFFER).byteSize());
}

void HostWatch::Before() {
  recordBefore_.assign(record_.record(), record_.record() + STAMP_REC_SIZE);
  const auto* frame = reinterpret_cast<const uint8_t*>(
      uintptr_t{static_cast<uint32_t>(record_.getInt(STAMP_REC_FRAME_WINDOW))});
  frameBefore_.assign(frame, frame + STAMP_FRAME_WINDOW_OBJECT_SIZE);
  canvasBefore_.clear();
  for (const host::BufferField& field : host::kBufferFields) {
    if (field.offset == STAMP_REC_PANEL_BUFFER) continue;
    const uint8_t* bytes = record_.buffer(field.offset);
    canvasBefore_.emplace_back(bytes, bytes + record_.canvasBytes());
  }
}

void HostWatch::After(Call call, bool sessionOpen) {
  if (!record_.damagedGuards().empty()) Fail("a guard zone changed");
  const auto* frame = reinterpret_cast<const uint8_t*>(
      uintptr_t{static_cast<uint32_t>(record_.getInt(STAMP_REC_FRAME_WINDOW))});
  if (Changed(frame, frameBefore_)) Fail("the frame window object changed");
  // Outside a session a call may change nothing; treated like a call that owns no field.
  CheckRecord(sessionOpen ? call : Call::Destroy);
  CheckCanvasBuffers(call, sessionOpen);
  CheckPanel(call, sessionOpen);
}

void HostWatch::CheckRecord(Call call) const {
  std::vector<uint8_t> expected = recordBefore_;
  for (const Field& field : WritableFields(call)) {
    std::memcpy(expected.data() + field.offset, record_.record() + field.offset, field.bytes);
  }
  if (Changed(record_.record(), expected)) Fail("a record byte the call does not own changed");
}

void HostWatch::CheckCanvasBuffers(Call call, bool sessionOpen) const {
  const std::vector<uint32_t> writable =
      sessionOpen ? WritableBuffers(call) : std::vector<uint32_t>{};
  size_t index = 0;
  for (const host::BufferField& field : host::kBufferFields) {
    if (field.offset == STAMP_REC_PANEL_BUFFER) continue;
    const bool mayWrite = std::ranges::find(writable, field.offset) != writable.end();
    if (!mayWrite && Changed(record_.buffer(field.offset), canvasBefore_[index])) {
      std::fprintf(stderr, "buffer %.*s\n", int(field.name.size()), field.name.data());
      Fail("a canvas-sized buffer the call does not draw into changed");
    }
    ++index;
  }
}

// Rows 0 to 729 are the host's: the plug-in draws from row 730 down. Only a selection outside the
// grid, read from the profile, puts the marker elsewhere.
void HostWatch::CheckPanel(Call call, bool sessionOpen) {
  const host::RasterView panel = record_.raster(STAMP_REC_PANEL_BUFFER);
  if (call != Call::DrawPanel || !sessionOpen) {
    if (Changed(panel.bytes, panel_)) Fail("the panel raster changed outside drawing");
    return;
  }
  const int32_t selection = Module().settings.selection;
  if (selection >= 0 && selection < kCellCount) {
    const size_t hostRows = static_cast<size_t>(panel.row(STAMP_PANEL_TOP_ROW - 1) - panel.bytes);
    if (std::memcmp(panel.bytes + hostRows, panel_.data() + hostRows, panel_.size() - hostRows)) {
      Fail("drawing changed the panel raster above the plug-in's panel");
    }
  }
  std::memcpy(panel_.data(), panel.bytes, panel_.size());
}

std::vector<uint32_t> HostWatch::WritableBuffers(Call call) const {
  int32_t activeLayer;
  std::memcpy(&activeLayer, recordBefore_.data() + STAMP_REC_ACTIVE_LAYER, sizeof activeLayer);
  switch (call) {
    case Call::Init:
    case Call::PanelPen:
    case Call::Key: return {STAMP_REC_STAMP_BUFFER, STAMP_REC_SCRATCH_BUFFER};
    case Call::PenDown:
      return {STAMP_REC_OVERLAY_BUFFER, STAMP_REC_UNDO_BUFFER, STAMP_REC_OVERLAY_SAVE};
    case Call::PenMove: return {STAMP_REC_OVERLAY_BUFFER};
    case Call::PenUp:
      return {STAMP_REC_OVERLAY_BUFFER, static_cast<uint32_t>(stamp_rec_layer_buffer(activeLayer))};
    case Call::Destroy:
    case Call::DrawPanel: return {};
  }
  return {};
}

std::vector<HostWatch::Field> HostWatch::WritableFields(Call call) {
  const Field updateRect{STAMP_REC_UPDATE_RECT, 4 * kIntBytes};
  const Field flagA{STAMP_REC_HOST_FLAG_A, kIntBytes};
  const Field flagB{STAMP_REC_HOST_FLAG_B, kIntBytes};
  switch (call) {
    case Call::PenDown:
      return {{STAMP_REC_LAYER_TOUCHED, 3 * kIntBytes},
              updateRect,
              flagA,
              flagB,
              {STAMP_REC_UNDO_LAYER, kIntBytes}};
    case Call::PenMove: return {updateRect};
    case Call::PenUp: return {flagA, flagB};
    default: return {};
  }
}

}  // namespace stamp::fuzz
