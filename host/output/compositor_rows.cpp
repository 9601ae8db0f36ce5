#include "host/output/compositor_rows.h"

namespace stamp::host {
namespace {

constexpr uint32_t kByteBits = 8;

// p / 255 for a product p of two bytes, in the 16-bit form the header derives.
[[gnu::always_inline]] inline uint8_t Div255Product(uint16_t p) {
  return static_cast<uint8_t>(static_cast<uint16_t>(p + 1u + (p >> kByteBits)) >> kByteBits);
}

[[gnu::always_inline]] inline void IntoLoop(uint8_t* __restrict out, const uint8_t* __restrict a,
                                            const uint8_t* __restrict b, size_t bytes) {
  for (size_t i = 0; i < bytes; ++i) out[i] = Div255Product(static_cast<uint16_t>(a[i] * b[i]));
}

[[gnu::always_inline]] inline void InPlaceLoop(uint8_t* __restrict dst,
                                               const uint8_t* __restrict src, size_t bytes) {
  for (size_t i = 0; i < bytes; ++i) dst[i] = Div255Product(static_cast<uint16_t>(src[i] * dst[i]));
}

void BaselineInto(uint8_t* out, const uint8_t* a, const uint8_t* b, size_t bytes) {
  IntoLoop(out, a, b, bytes);
}
void BaselineInPlace(uint8_t* dst, const uint8_t* src, size_t bytes) {
  InPlaceLoop(dst, src, bytes);
}
[[gnu::target("avx2")]] void Avx2Into(uint8_t* out, const uint8_t* a, const uint8_t* b,
                                      size_t bytes) {
  IntoLoop(out, a, b, bytes);
}
[[gnu::target("avx2")]] void Avx2InPlace(uint8_t* dst, const uint8_t* src, size_t bytes) {
  InPlaceLoop(dst, src, bytes);
}

const MultiplyBuilds& ForThisProcessor() {
  static const MultiplyBuilds builds =
      __builtin_cpu_supports("avx2") ? Avx2Multiply() : BaselineMultiply();
  return builds;
}

}  // namespace

MultiplyBuilds BaselineMultiply() { return {BaselineInto, BaselineInPlace}; }

MultiplyBuilds Avx2Multiply() { return {Avx2Into, Avx2InPlace}; }

void MultiplyInto(uint8_t* out, const uint8_t* a, const uint8_t* b, size_t bytes) {
  ForThisProcessor().into(out, a, b, bytes);
}

void MultiplyInPlace(uint8_t* dst, const uint8_t* src, size_t bytes) {
  ForThisProcessor().inPlace(dst, src, bytes);
}

}  // namespace stamp::host
