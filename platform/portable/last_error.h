// The reason for the last failure, as plat_last_error reports it, and the guard of every plat_*
// call: an exception that escapes a call's body becomes the call's failure value, its reason
// recorded.
#pragma once

#include <string>
#include <utility>

#include "stamp/c_boundary.h"

namespace stamp::platform {

// Records the reason and gives back the failure value the caller returns (0 / false / nullptr).
void SetLastError(std::string reason);

template <typename T>
T Fail(std::string reason, T failure) {
  SetLastError(std::move(reason));
  return failure;
}

template <typename T, typename Body>
T GuardedCall(T failure, Body&& body) noexcept {
  return stamp::GuardedCall(failure, std::forward<Body>(body),
                            [](const char* reason) { SetLastError(reason); });
}

}  // namespace stamp::platform
