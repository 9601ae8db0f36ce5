// The compositor's one piece of arithmetic: the multiply blend s * d / 255, truncating, over runs
// of bytes. A product of two bytes fits 16 bits, and for every product p of two bytes
// (0 <= p <= 65025) p / 255 equals (p + 1 + (p >> 8)) >> 8, which stays within 16 bits too
// (at most 65280); so the loops work in 16-bit lanes with no division, and the compiler
// vectorises them. The exhaustive test holds the loops to the per-byte form on every pair.
#pragma once

#include <cstddef>
#include <cstdint>

namespace stamp::host {

// out[i] = a[i] * b[i] / 255 for i < bytes; out shares no byte with a or b.
using MultiplyIntoLoop = void (*)(uint8_t* out, const uint8_t* a, const uint8_t* b, size_t bytes);
// dst[i] = src[i] * dst[i] / 255 for i < bytes; dst shares no byte with src.
using MultiplyInPlaceLoop = void (*)(uint8_t* dst, const uint8_t* src, size_t bytes);

// The loops built for this processor (AVX2 where it has it, SSE2 otherwise).
void MultiplyInto(uint8_t* out, const uint8_t* a, const uint8_t* b, size_t bytes);
void MultiplyInPlace(uint8_t* dst, const uint8_t* src, size_t bytes);

// Both builds, for the tests: the SSE2 baseline and the AVX2 build, which runs only on a
// processor with AVX2.
struct MultiplyBuilds {
  MultiplyIntoLoop into;
  MultiplyInPlaceLoop inPlace;
};
MultiplyBuilds BaselineMultiply();
MultiplyBuilds Avx2Multiply();

}  // namespace stamp::host
