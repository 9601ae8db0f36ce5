// One call of a rectangle operation on memory of its own, for differential tests: a destination
// and a source view, on one shared block or on two blocks, and the rectangle.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "pixel/random_pixels.h"
#include "pixel/rect_operations.h"
#include "pixel/reference_pixel_ops.h"
#include "src/pixel/pixel_ops.h"

namespace stamp::test {

struct View {
  int32_t width, height, bytes;
  size_t start;  // first byte of the view within the memory block
};

struct Scenario {
  bool shared;  // the source view lies in dstBlock, srcBlock is empty
  std::vector<uint8_t> dstBlock, srcBlock;
  View dst, src;
  int32_t dx, dy, sx, sy, width, height;

  std::string Describe() const;
  // The first bytes of the destination and source views.
  uint8_t* Target() { return dstBlock.data() + dst.start; }
  const uint8_t* Source() const { return (shared ? dstBlock.data() : srcBlock.data()) + src.start; }
  // Runs a rectangle function, or FillWhite on the destination view, on this copy of the memory.
  void Run(RectFunction function, int32_t code);
  void Fill(decltype(&reference::FillWhite) fill);
};

using MakeScenario = Scenario (*)(Random& random);

// A 256 x 256 source and destination in two blocks, where source pixel (s, d) holds s in every
// channel and destination pixel (s, d) holds d: one call over the whole rectangle meets every pair
// of bytes.
Scenario AllBytePairs();

// Runs the engine and the reference model on copies of `rounds` scenarios and expects the same
// bytes in every block afterwards.
void ExpectEngineMatchesReference(const RectOperation& op, uint32_t seed, int rounds,
                                  MakeScenario make);
void ExpectFillMatchesReference(uint32_t seed, int rounds, MakeScenario make);

}  // namespace stamp::test
