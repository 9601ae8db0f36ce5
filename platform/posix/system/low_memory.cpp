#include "platform/posix/system/low_memory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iterator>
#include <map>
#include <string>

#include "platform/posix/system/fault_injection.h"
#include "platform/portable/last_error.h"
#include "platform/testing/platform_testing.h"

namespace stamp::platform {
namespace {

// Every block this module handed out, by start address, with its mapped length.
std::map<uintptr_t, size_t>& Blocks() {
  static std::map<uintptr_t, size_t> blocks;
  return blocks;
}

size_t PageSize() {
  static const size_t pageSize = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  return pageSize;
}

constexpr int kProtection = PROT_READ | PROT_WRITE;
constexpr int kAnonymous = MAP_PRIVATE | MAP_ANONYMOUS;

#if UINTPTR_MAX > 0xFFFFFFFFu

constexpr uintptr_t kLowLimit = uintptr_t{1} << 32;
// Candidates start above the first pages (kept unmapped so null-pointer faults stay faults) and
// advance in steps of this size past mappings the platform does not know.
constexpr uintptr_t kFirstCandidate = uintptr_t{64} << 10;
constexpr uintptr_t kProbeStep = uintptr_t{64} << 10;

// The end of the first own block overlapping [start, start + length), or 0 when none does.
uintptr_t OwnBlockEndOverlapping(uintptr_t start, size_t length) {
  const auto& blocks = Blocks();
  auto next = blocks.upper_bound(start);
  if (next != blocks.begin()) {
    const auto previous = std::prev(next);
    if (previous->first + previous->second > start) return previous->first + previous->second;
  }
  if (next != blocks.end() && next->first < start + length) return next->first + next->second;
  return 0;
}

uintptr_t RoundUp(uintptr_t value, uintptr_t step) { return (value + step - 1) / step * step; }

// Tries candidate addresses from low to high. MAP_FIXED_NOREPLACE refuses a range that overlaps
// any mapping; a kernel that does not know the flag treats the address as a hint, so the result
// is checked and given back when it lies elsewhere.
void* MapLow(size_t length) {
  uintptr_t candidate = kFirstCandidate;
  while (length <= kLowLimit && candidate <= kLowLimit - length) {
    if (const uintptr_t ownEnd = OwnBlockEndOverlapping(candidate, length); ownEnd != 0) {
      candidate = RoundUp(ownEnd, PageSize());
      continue;
    }
    void* hint = reinterpret_cast<void*>(candidate);
    void* block = mmap(hint, length, kProtection, kAnonymous | MAP_FIXED_NOREPLACE, -1, 0);
    if (block == hint) return block;
    if (block != MAP_FAILED) {
      munmap(block, length);
    } else if (errno != EEXIST && errno != EPERM && errno != EACCES) {
      return Fail("cannot map low memory: " + std::string(std::strerror(errno)), nullptr);
    }
    candidate += kProbeStep;
  }
  return Fail("no room below 4 GiB for " + std::to_string(length) + " bytes", nullptr);
}

#else

void* MapLow(size_t length) {
  void* block = mmap(nullptr, length, kProtection, kAnonymous, -1, 0);
  if (block == MAP_FAILED) {
    return Fail("cannot map memory: " + std::string(std::strerror(errno)), nullptr);
  }
  return block;
}

#endif

}  // namespace

void* AllocLow(size_t bytes) {
  if (ShouldFail(PLAT_FAULT_ALLOC_LOW)) return Fail("low allocation failed (injected)", nullptr);
  const size_t page = PageSize();
  if (bytes > SIZE_MAX - page) return Fail("low allocation too large", nullptr);
  const size_t length = bytes == 0 ? page : (bytes + page - 1) / page * page;
  void* block = MapLow(length);
  if (block != nullptr) Blocks().emplace(reinterpret_cast<uintptr_t>(block), length);
  return block;
}

void FreeLow(void* block) {
  if (block == nullptr) return;
  auto& blocks = Blocks();
  const auto found = blocks.find(reinterpret_cast<uintptr_t>(block));
  if (found == blocks.end()) {
    SetLastError("plat_free_low: not a block of plat_alloc_low");
    return;
  }
  munmap(block, found->second);
  blocks.erase(found);
}

}  // namespace stamp::platform

void* plat_alloc_low(size_t bytes) { return stamp::platform::AllocLow(bytes); }

void plat_free_low(void* block) { stamp::platform::FreeLow(block); }
