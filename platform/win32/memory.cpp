// Memory for the record's buffers: blocks whose every byte lies below 4 GiB. On the 32-bit target
// every address qualifies and VirtualAlloc serves. On the x86-64 test build the system is asked
// for addresses whose top bits are clear: NtAllocateVirtualMemory's zero-bits argument, given as
// a mask, keeps the block below 2 GiB (VirtualAlloc has no such argument). It is looked up in
// the system's ntdll.dll, which every process has loaded, so the plug-in imports nothing more.
// Blocks are page-granular and zero-filled.
#include <windows.h>

#include <cstdint>

#include "platform/portable/last_error.h"
#include "stamp/platform.h"

namespace stamp::platform {
namespace {

void* Commit(size_t bytes) {
#if UINTPTR_MAX > 0xFFFFFFFFu
  using AllocateEntry = LONG(NTAPI*)(HANDLE, PVOID*, ULONG_PTR, PSIZE_T, ULONG, ULONG);
  constexpr ULONG_PTR kBelowTwoGiB = 0x7FFFFFFF;
  static const auto allocate = reinterpret_cast<AllocateEntry>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtAllocateVirtualMemory")));
  if (allocate == nullptr) return nullptr;
  PVOID base = nullptr;
  SIZE_T size = bytes;
  const LONG status = allocate(GetCurrentProcess(), &base, kBelowTwoGiB, &size,
                               MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  return status >= 0 ? base : nullptr;
#else
  return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
#endif
}

}  // namespace
}  // namespace stamp::platform

void* plat_alloc_low(size_t bytes) {
  void* block = stamp::platform::Commit(bytes != 0 ? bytes : 1);
  return block != nullptr ? block
                          : stamp::platform::Fail("no memory below 4 GiB for the block", nullptr);
}

void plat_free_low(void* block) {
  if (block != nullptr) VirtualFree(block, 0, MEM_RELEASE);
}
