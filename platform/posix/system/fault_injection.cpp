#include "platform/posix/system/fault_injection.h"

#include <array>
#include "platform/testing/platform_testing.h"

namespace stamp::platform {
namespace {

constexpr int32_t kNotArmed = -1;

std::array<int32_t, PLAT_FAULT_KIND_COUNT>& Countdowns() {
  static std::array<int32_t, PLAT_FAULT_KIND_COUNT> countdowns = [] {
    std::array<int32_t, PLAT_FAULT_KIND_COUNT> all{};
    all.fill(kNotArmed);
    return all;
  }();
  return countdowns;
}

}  // namespace

bool ShouldFail(PlatFault fault) {
  if (fault < 0 || fault >= PLAT_FAULT_KIND_COUNT) return false;
  int32_t& countdown = Countdowns()[fault];
  if (countdown == kNotArmed) return false;
  return countdown-- == 0;
}

}  // namespace stamp::platform

void plat_fault_inject(PlatFault fault, int32_t skip) {
  if (fault >= 0 && fault < PLAT_FAULT_KIND_COUNT && skip >= 0) {
    stamp::platform::Countdowns()[fault] = skip;
  }
}

void plat_fault_clear(void) { stamp::platform::Countdowns().fill(stamp::platform::kNotArmed); }
