// The edge between the C API and the C++ inside it: no exception may cross it. GuardedCall runs
// the body of an exported function and turns any exception (out of memory, a file-system error)
// into the function's failure value, with the reason left for plat_last_error.
#pragma once

#include <exception>

#include "platform/portable/last_error.h"

namespace stamp::platform {

template <typename T, typename Body>
T GuardedCall(T failure, Body&& body) noexcept {
  try {
    return body();
  } catch (const std::exception& error) {
    return Fail(error.what(), failure);
  } catch (...) {
    return Fail("unexpected failure", failure);
  }
}

}  // namespace stamp::platform
