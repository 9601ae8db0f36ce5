// The platform's 32-bit handles are the Win32 handles themselves, so the host and the plug-in
// share every object without a table. On the 32-bit target a handle is a 32-bit value. On the
// x86-64 test build the system's GDI, window and kernel handles are 64 bits wide but only their
// low 32 bits are significant (the system keeps them so for 32-bit programs sharing them): a
// handle travels as its low half and is widened again by sign extension, as the system does.
// Module handles are addresses and do not fit: libraries have a table of their own.
// Strings need no conversion: wchar_t is a UTF-16 unit on Windows.
#pragma once

#include <windows.h>

#include <cstdint>

#include "stamp/platform.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wide strings are UTF-16 on this target");

namespace stamp::platform {

template <typename H>
H FromHandle(PlatHandle handle) {
  return reinterpret_cast<H>(static_cast<intptr_t>(static_cast<int32_t>(handle)));
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
