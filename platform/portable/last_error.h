// The reason for the last failure, as plat_last_error reports it.
#pragma once

#include <string>

namespace stamp::platform {

// Records the reason and gives back the failure value the caller returns (0 / false / nullptr).
void SetLastError(std::string reason);

template <typename T>
T Fail(std::string reason, T failure) {
  SetLastError(std::move(reason));
  return failure;
}

}  // namespace stamp::platform
