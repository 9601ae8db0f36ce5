#include "pixel/scenario.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "pixel/reference_pixel_ops.h"
#include "src/pixel/pixel_ops.h"

namespace stamp::test {

std::string Scenario::Describe() const {
  std::ostringstream out;
  out << (shared ? "one block" : "two blocks") << "; dst " << dst.width << "x" << dst.height
      << " bytes " << dst.bytes << " at +" << dst.start << ", rect (" << dx << ", " << dy << ") "
      << width << "x" << height << "; src " << src.width << "x" << src.height << " bytes "
      << src.bytes << " at +" << src.start << ", (" << sx << ", " << sy << ")";
  return out.str();
}

void Scenario::Run(RectFunction function, int32_t code) {
  function(Target(), dst.width, dst.height, dx, dy, width, height, Source(), src.width, src.height,
           sx, sy, code, dst.bytes, src.bytes);
}

void Scenario::Fill(decltype(&reference::FillWhite) fill) {
  fill(Target(), dst.width, dst.height, dx, dy, width, height, dst.bytes);
}

Scenario AllBytePairs() {
  constexpr int32_t kSide = 256;
  const View whole{kSide, kSide, kSide * kSide * 3, 0};
  const std::vector<uint8_t> block(static_cast<size_t>(whole.bytes));
  Scenario pairs{false, block, block, whole, whole, 0, 0, 0, 0, kSide, kSide};
  for (size_t pair = 0; pair < kSide * kSide; ++pair) {
    std::memset(&pairs.srcBlock[pair * 3], static_cast<int>(pair % kSide), 3);
    std::memset(&pairs.dstBlock[pair * 3], static_cast<int>(pair / kSide), 3);
  }
  return pairs;
}

void ExpectEngineMatchesReference(const RectOperation& op, uint32_t seed, int rounds,
                                  MakeScenario make) {
  Random random(seed);
  for (int round = 0; round < rounds; ++round) {
    Scenario engine = make(random);
    Scenario model = engine;
    engine.Run(op.engine, op.code);
    model.Run(op.reference, op.code);
    ASSERT_EQ(engine.dstBlock, model.dstBlock) << "round " << round << ": " << engine.Describe();
    ASSERT_EQ(engine.srcBlock, model.srcBlock) << "round " << round << ": " << engine.Describe();
  }
}

void ExpectFillMatchesReference(uint32_t seed, int rounds, MakeScenario make) {
  Random random(seed);
  for (int round = 0; round < rounds; ++round) {
    Scenario engine = make(random);
    Scenario model = engine;
    engine.Fill([](uint8_t* buffer, int32_t bufferWidth, int32_t bufferHeight, int32_t x, int32_t y,
                   int32_t width, int32_t height, int32_t bytes) {
      FillWhite({buffer, bufferWidth, bufferHeight, bytes}, x, y, width, height);
    });
    model.Fill(reference::FillWhite);
    ASSERT_EQ(engine.dstBlock, model.dstBlock) << "round " << round << ": " << engine.Describe();
  }
}

}  // namespace stamp::test
