#include "host/record/guarded_buffer.h"

#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

#include "stamp/platform.h"

namespace stamp::host {
namespace {

constexpr uint8_t kGuardByte = 0xA5;

}  // namespace

GuardedBuffer::GuardedBuffer(size_t bytes, uint8_t fill, size_t guardBytes)
    : bytes_(bytes), guardBytes_(guardBytes) {
  if (bytes > SIZE_MAX / 2 || guardBytes > SIZE_MAX / 4) {
    throw std::runtime_error("a buffer of " + std::to_string(bytes) + " bytes is too large");
  }
  block_ = static_cast<uint8_t*>(plat_alloc_low(bytes + 2 * guardBytes));
  if (block_ == nullptr) {
    throw std::runtime_error("cannot allocate " + std::to_string(bytes) +
                             " bytes below 4 GiB: " + plat_last_error());
  }
  data_ = block_ + guardBytes;
  std::memset(block_, kGuardByte, guardBytes);
  std::memset(data_, fill, bytes);
  std::memset(data_ + bytes, kGuardByte, guardBytes);
}

GuardedBuffer::GuardedBuffer(GuardedBuffer&& other) noexcept { *this = std::move(other); }

GuardedBuffer& GuardedBuffer::operator=(GuardedBuffer&& other) noexcept {
  std::swap(block_, other.block_);
  std::swap(data_, other.data_);
  std::swap(bytes_, other.bytes_);
  std::swap(guardBytes_, other.guardBytes_);
  return *this;
}

GuardedBuffer::~GuardedBuffer() {
  if (block_ != nullptr) plat_free_low(block_);
}

uint32_t GuardedBuffer::address32() const {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(data_));
}

bool GuardedBuffer::guardsIntact() const {
  for (size_t i = 0; i < guardBytes_; ++i) {
    if (block_[i] != kGuardByte || data_[bytes_ + i] != kGuardByte) return false;
  }
  return true;
}

}  // namespace stamp::host
