#include "canvas/stroke_fixture.h"

#include "plugin/module_state.h"

namespace stamp::test {
namespace {

constexpr uint32_t kCanvasFields[] = {STAMP_REC_OVERLAY_BUFFER, STAMP_REC_UNDO_BUFFER,
                                      STAMP_REC_LAYER0_BUFFER,  STAMP_REC_LAYER2_BUFFER,
                                      STAMP_REC_LAYER1_BUFFER,  STAMP_REC_OVERLAY_SAVE,
                                      STAMP_REC_SCRATCH_BUFFER, STAMP_REC_STAMP_BUFFER};

}  // namespace

void StrokeTest::SetUp() {
  ui.Install();
  uint32_t seed = 40;
  for (const uint32_t field : kCanvasFields) FillCanvasRandom(host, field, ++seed);
  host.setInt(STAMP_REC_HOST_FLAG_A, kFlagA);
  host.setInt(STAMP_REC_HOST_FLAG_B, kFlagB);
  UseStampSize(30, 30);
}

void StrokeTest::UseStampSize(int32_t width, int32_t height) {
  Module().rotatedSize = {width, height};
}

Bytes StrokeTest::Pressed(Bytes target, int64_t left, int64_t top) const {
  const Plane dst = CanvasPlane(host, target.data());
  const Plane src = CanvasPlane(host, host.buffer(STAMP_REC_STAMP_BUFFER));
  const RotatedSize size = Module().rotatedSize;
  for (int64_t j = 0; j < size.height; ++j) {
    for (int64_t i = 0; i < size.width; ++i) {
      const int64_t to = dst.Inside(left + i, top + j);
      const int64_t from = src.Inside(i, j);
      if (to < 0 || from < 0) continue;
      for (int64_t c = 0; c < 3; ++c) {
        target[to + c] = static_cast<uint8_t>(src.bytes[from + c] * target[to + c] / 255);
      }
    }
  }
  return target;
}

HostState StrokeTest::State() const {
  HostState state{Bytes(host.record(), host.record() + STAMP_REC_SIZE), {}};
  for (const uint32_t field : kCanvasFields) state.buffers.push_back(Canvas(field));
  return state;
}

void StrokeTest::ExpectUpdateRect(int32_t a, int32_t b, int32_t c, int32_t d) const {
  EXPECT_EQ(host.getInt(STAMP_REC_UPDATE_RECT), a);
  EXPECT_EQ(host.getInt(STAMP_REC_UPDATE_RECT + 4), b);
  EXPECT_EQ(host.getInt(STAMP_REC_UPDATE_RECT + 8), c);
  EXPECT_EQ(host.getInt(STAMP_REC_UPDATE_RECT + 12), d);
}

uint32_t LayerField(int32_t layer) {
  constexpr uint32_t kFields[] = {STAMP_REC_LAYER0_BUFFER, STAMP_REC_LAYER1_BUFFER,
                                  STAMP_REC_LAYER2_BUFFER};
  return kFields[layer];
}

}  // namespace stamp::test
