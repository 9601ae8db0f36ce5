// The edge between a C interface and the C++ behind it: an exception that left a C function would
// unwind into its caller's frames, which know nothing of it. GuardedCall runs the function's body
// and turns an exception that escapes it (in practice std::bad_alloc, or a file-system error)
// into the function's failure value. The plug-in's exports and the platform's plat_* calls both
// stand behind it. C++ only: it is shared by this repository's parts and not installed with the
// C headers.
#pragma once

#include <exception>

namespace stamp {

inline void IgnoreEscape(const char*) noexcept {}

// body() when it returns; otherwise escaped(reason) runs (it must not throw) and failure is given.
template <typename T, typename Body, typename Escaped = void (*)(const char*) noexcept>
T GuardedCall(T failure, Body&& body, Escaped escaped = IgnoreEscape) noexcept {
  try {
    return body();
  } catch (const std::exception& error) {
    escaped(error.what());
  } catch (...) {
    escaped("unexpected failure");
  }
  return failure;
}

}  // namespace stamp
