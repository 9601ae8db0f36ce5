// Canvas strokes on a TestHost: random canvas layers, overlay and StampImage, host flags set, the
// stroke's own state and the stamp it presses, and a snapshot of the whole host state to show
// that an event changed nothing.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "src/canvas/stroke.h"
#include "src/core/host_context.h"
#include "support/plane.h"
#include "support/plugin_test.h"

namespace stamp::test {

inline constexpr int32_t kFlagA = 7;
inline constexpr int32_t kFlagB = -3;
inline constexpr int32_t kLayerCount = 3;

// The record and every canvas-sized buffer.
struct HostState {
  Bytes record;
  std::vector<Bytes> buffers;
  bool operator==(const HostState&) const = default;
};

class StrokeTest : public PluginTest {
 protected:
  void SetUp() override;

  // The three pen events of the stroke, on the fixture's stroke and stamp.
  int32_t PenDown(int32_t x, int32_t y) { return stamp::PenDown(stroke, context, stamp, x, y); }
  int32_t PenMove(int32_t x, int32_t y) { return stamp::PenMove(stroke, context, stamp, x, y); }
  int32_t PenUp(int32_t x, int32_t y) { return stamp::PenUp(stroke, context, stamp, x, y); }

  // A StampImage of this size: the random pixels at the top-left of stampBuffer.
  void UseStampSize(int32_t width, int32_t height);
  // target after the StampImage was pressed with its top-left at (left, top).
  Bytes Pressed(Bytes target, int64_t left, int64_t top) const;
  Bytes Canvas(uint32_t field) const { return CanvasCopy(host, field); }
  HostState State() const;
  // The three layers' buffers, by layer number.
  std::array<Bytes, kLayerCount> Layers() const;
  // The four numbers of the record's updateRect, in record order.
  std::array<int32_t, 4> UpdateRect() const;

  HostContext context{host.record()};
  Stroke stroke;
  StrokeStamp stamp;
};

// The record offset of a layer's buffer.
inline uint32_t LayerField(int32_t layer) {
  return static_cast<uint32_t>(stamp_rec_layer_buffer(layer));
}

}  // namespace stamp::test
