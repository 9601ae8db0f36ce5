// A little-endian reader over a byte span that never reads past its end. A read beyond the end
// gives 0 and marks the reader overrun, so callers check sizes up front and Overrun() once after.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace stamp::platform {

class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes, size_t position = 0)
      : bytes_(bytes),
        position_(position <= bytes.size() ? position : bytes.size()),
        overrun_(position > bytes.size()) {}

  size_t Position() const { return position_; }
  size_t Remaining() const { return bytes_.size() - position_; }
  bool Overrun() const { return overrun_; }

  void Skip(size_t count) {
    if (count > Remaining()) {
      overrun_ = true;
      count = Remaining();
    }
    position_ += count;
  }

  uint8_t U8() {
    if (Remaining() < 1) {
      overrun_ = true;
      return 0;
    }
    return bytes_[position_++];
  }

  uint16_t U16() {
    const uint16_t low = U8();
    return static_cast<uint16_t>(low | (U8() << 8));
  }

  uint32_t U32() {
    const uint32_t low = U16();
    return low | (uint32_t{U16()} << 16);
  }

  int32_t I32() { return static_cast<int32_t>(U32()); }

 private:
  std::span<const uint8_t> bytes_;
  size_t position_;
  bool overrun_;
};

}  // namespace stamp::platform
