// One block of memory below 4 GiB, so that a 32-bit record field can point at it, optionally with
// guard zones of a known byte before and after the usable bytes: a write past either end of the
// buffer changes a guard byte, which guardsIntact() finds.
#pragma once

#include <cstddef>
#include <cstdint>

namespace stamp::host {

class GuardedBuffer {
 public:
  static constexpr size_t kDefaultGuardBytes = 64;

  GuardedBuffer() = default;
  // Throws std::runtime_error with the platform's reason when the memory cannot be had.
  explicit GuardedBuffer(size_t bytes, uint8_t fill = 0, size_t guardBytes = kDefaultGuardBytes);
  GuardedBuffer(GuardedBuffer&& other) noexcept;
  GuardedBuffer& operator=(GuardedBuffer&& other) noexcept;
  GuardedBuffer(const GuardedBuffer&) = delete;
  GuardedBuffer& operator=(const GuardedBuffer&) = delete;
  ~GuardedBuffer();

  uint8_t* data() const { return data_; }
  size_t size() const { return bytes_; }
  // The 32-bit value a record field holds for this buffer.
  uint32_t address32() const;
  // True when every guard byte still holds its value (always true without guard zones).
  bool guardsIntact() const;

 private:
  uint8_t* block_ = nullptr;
  uint8_t* data_ = nullptr;
  size_t bytes_ = 0;
  size_t guardBytes_ = 0;
};

}  // namespace stamp::host
