// Test support: a call of a given kind can be made to fail on purpose (plat_fault_inject).
#pragma once

#include "platform/testing/platform_testing.h"

namespace stamp::platform {

// True when this call of that kind is the one chosen to fail; counts the call either way.
bool ShouldFail(PlatFault fault);

}  // namespace stamp::platform
