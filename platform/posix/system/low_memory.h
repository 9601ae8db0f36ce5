// Memory below 4 GiB: blocks whose every byte has an address that fits a 32-bit record field.
// On x86-64 the blocks are placed by address hints below 4 GiB; on a 32-bit target every address
// qualifies and ordinary anonymous mappings serve. Blocks are page-granular and zero-filled.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace stamp::platform {

// A zero-filled block of at least bytes bytes ending at or below 4 GiB; nullptr with a reason in
// plat_last_error when there is no room (or when the PLAT_FAULT_ALLOC_LOW fault fires).
void* AllocLow(size_t bytes);
// Releases a block from AllocLow; nullptr is ignored, a pointer it did not give is refused.
void FreeLow(void* block);

struct LowMemoryDeleter {
  void operator()(uint8_t* block) const { FreeLow(block); }
};
// An owned block of low memory.
using LowBlock = std::unique_ptr<uint8_t, LowMemoryDeleter>;

}  // namespace stamp::platform
