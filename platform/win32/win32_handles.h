// The platform's 32-bit handles are the Win32 handles themselves: on the 32-bit Windows target a
// handle is a 32-bit value, so the host and the plug-in share every object without a table.
// Strings need no conversion either: wchar_t is a UTF-16 unit there.
#pragma once

#include <windows.h>

#include <cstdint>

#include "stamp/platform.h"

static_assert(sizeof(HANDLE) == sizeof(PlatHandle), "Win32 handles are 32-bit on this target");
static_assert(sizeof(wchar_t) == sizeof(char16_t), "wide strings are UTF-16 on this target");

namespace stamp::platform {

template <typename H>
H FromHandle(PlatHandle handle) {
  return reinterpret_cast<H>(static_cast<uintptr_t>(handle));
}

template <typename H>
PlatHandle ToHandle(H handle) {
  return static_cast<PlatHandle>(reinterpret_cast<uintptr_t>(handle));
}

inline const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
inline wchar_t* Wide(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }

// The module (DLL or program) this code was linked into: its resources hold the dialog templates.
HMODULE OwnModule();

}  // namespace stamp::platform
