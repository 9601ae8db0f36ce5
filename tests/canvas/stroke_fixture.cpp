#include "canvas/stroke_fixture.h"

#include <utility>

#include "canvas/press_model.h"

namespace stamp::test {
namespace {

constexpr uint32_t kCanvasFields[] = {STAMP_REC_OVERLAY_BUFFER, STAMP_REC_UNDO_BUFFER,
                                      STAMP_REC_LAYER0_BUFFER,  STAMP_REC_LAYER2_BUFFER,
                                      STAMP_REC_LAYER1_BUFFER,  STAMP_REC_OVERLAY_SAVE,
                                      STAMP_REC_SCRATCH_BUFFER, STAMP_REC_STAMP_BUFFER};

}  // namespace

void StrokeTest::SetUp() {
  uint32_t seed = 40;
  for (const uint32_t field : kCanvasFields) FillCanvasRandom(host, field, ++seed);
  host.setInt(STAMP_REC_HOST_FLAG_A, kFlagA);
  host.setInt(STAMP_REC_HOST_FLAG_B, kFlagB);
  UseStampSize(30, 30);
}

void StrokeTest::UseStampSize(int32_t width, int32_t height) {
  stamp = PreparedStamp{context.canvasView(context.stampBuffer()), {width, height}};
}

Bytes StrokeTest::Pressed(Bytes target, int64_t left, int64_t top) const {
  const RotatedSize size = stamp->size;
  return PressedStamp(host, size.width, size.height, std::move(target), left, top);
}

HostState StrokeTest::State() const {
  HostState state{Bytes(host.record(), host.record() + STAMP_REC_SIZE), {}};
  for (const uint32_t field : kCanvasFields) state.buffers.push_back(Canvas(field));
  return state;
}

std::array<Bytes, kLayerCount> StrokeTest::Layers() const {
  std::array<Bytes, kLayerCount> layers;
  for (int32_t layer = 0; layer < kLayerCount; ++layer) layers[layer] = Canvas(LayerField(layer));
  return layers;
}

std::array<int32_t, 4> StrokeTest::UpdateRect() const {
  std::array<int32_t, 4> rect{};
  for (uint32_t i = 0; i < rect.size(); ++i) rect[i] = host.getInt(STAMP_REC_UPDATE_RECT + 4 * i);
  return rect;
}

}  // namespace stamp::test
