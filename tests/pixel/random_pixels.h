// Seeded random numbers and pixel bytes for the differential tests.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace stamp::test {

class Random {
 public:
  explicit Random(uint32_t seed) : engine_(seed) {}
  // Uniform in lo..hi, both included.
  int32_t Between(int32_t lo, int32_t hi) {
    const uint64_t span = static_cast<uint64_t>(int64_t{hi} - lo) + 1;
    return static_cast<int32_t>(lo + static_cast<int64_t>(engine_() % span));
  }
  bool OneIn(int32_t n) { return Between(1, n) == 1; }
  uint8_t Byte() { return static_cast<uint8_t>(engine_()); }

 private:
  std::mt19937 engine_;
};

// Random bytes with whites and near-whites now and then, so TransparentWhite meets both kinds of
// pixel.
inline std::vector<uint8_t> RandomBytes(Random& random, size_t count) {
  std::vector<uint8_t> bytes(count);
  for (uint8_t& b : bytes)
    b = random.OneIn(3) ? static_cast<uint8_t>(255 - random.Between(0, 1)) : random.Byte();
  return bytes;
}

}  // namespace stamp::test
