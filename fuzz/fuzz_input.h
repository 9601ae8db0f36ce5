// A bounded reader over a fuzz input: every read past the end gives zeros, so any byte string
// decodes to some sequence of values and the targets never need to check lengths.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace stamp::fuzz {

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool empty() const { return position_ >= size_; }

  uint8_t TakeByte() { return empty() ? 0 : data_[position_++]; }

  // Four bytes, little-endian.
  int32_t TakeInt32() {
    uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8) value |= uint32_t{TakeByte()} << shift;
    return static_cast<int32_t>(value);
  }

  // The bytes up to the next zero byte, which is consumed, or up to the end.
  std::string TakeText() {
    std::string text;
    while (!empty()) {
      const uint8_t byte = data_[position_++];
      if (byte == 0) break;
      text.push_back(static_cast<char>(byte));
    }
    return text;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};

}  // namespace stamp::fuzz
