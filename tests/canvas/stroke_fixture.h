// A session for canvas strokes: random canvas layers, overlay and StampImage, host flags set, a
// scripted UI for messages, and a snapshot of the whole host state to show that an event changed
// nothing.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/support/scripted_ui.h"
#include "stamp_pipeline/session.h"

namespace stamp::test {

inline constexpr int32_t kFlagA = 7;
inline constexpr int32_t kFlagB = -3;

// The record and every canvas-sized buffer.
struct HostState {
  Bytes record;
  std::vector<Bytes> buffers;
  bool operator==(const HostState&) const = default;
};

class StrokeTest : public SessionTest {
 protected:
  void SetUp() override;

  // A StampImage of this size: the random pixels at the top-left of stampBuffer.
  void UseStampSize(int32_t width, int32_t height);
  // target after the module's StampImage was pressed with its top-left at (left, top).
  Bytes Pressed(Bytes target, int64_t left, int64_t top) const;
  Bytes Canvas(uint32_t field) const { return CanvasCopy(host, field); }
  HostState State() const;
  // The four numbers of the record's updateRect, in record order.
  std::array<int32_t, 4> UpdateRect() const;

  platform::ScriptedUi ui;
};

// Record offsets of the three layer buffers, by layer index.
uint32_t LayerField(int32_t layer);

}  // namespace stamp::test
