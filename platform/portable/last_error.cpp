#include "platform/portable/last_error.h"

#include "stamp/platform.h"

namespace stamp::platform {
namespace {

std::string& LastError() {
  static std::string reason;
  return reason;
}

}  // namespace

void SetLastError(std::string reason) { LastError() = std::move(reason); }

}  // namespace stamp::platform

const char* plat_last_error(void) { return stamp::platform::LastError().c_str(); }
