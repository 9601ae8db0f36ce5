#include "platform/posix/ui/ui_backend.h"

#include <cstdio>
#include <string>

#include "platform/portable/last_error.h"
#include "platform/portable/text_encoding.h"
#include "platform/posix/ui/windows.h"
#include "stamp/platform_host.h"

namespace stamp::platform {
namespace {

PlatUiBackend& Installed() {
  static PlatUiBackend backend{};
  return backend;
}

}  // namespace

const PlatUiBackend& UiBackend() { return Installed(); }

}  // namespace stamp::platform

using namespace stamp::platform;

void plat_ui_set_backend(const PlatUiBackend* backend) {
  Installed() = backend != nullptr ? *backend : PlatUiBackend{};
}

void plat_ui_get_backend(PlatUiBackend* backend) {
  if (backend != nullptr) *backend = UiBackend();
}

int32_t plat_message_box(const char16_t* text) {
  const PlatUiBackend& ui = UiBackend();
  if (ui.message_box != nullptr) {
    ui.message_box(ui.user, text != nullptr ? text : u"");
    return PLAT_IDOK;
  }
  return GuardedCall(PLAT_IDOK, [&] {
    const std::string line = ToUtf8(Utf16View(text)) + "\n";
    std::fputs(line.c_str(), stderr);
    return PLAT_IDOK;
  });
}

int32_t plat_get_system_metrics(int32_t index) {
  const PlatUiBackend& ui = UiBackend();
  return ui.system_metric != nullptr ? ui.system_metric(ui.user, index) : 0;
}

int32_t plat_sh_full_screen(PlatHandle window, uint32_t flags) {
  if (Find<Window>(window) == nullptr) return Fail("full-screen request for no window", 0);
  const PlatUiBackend& ui = UiBackend();
  if (ui.full_screen != nullptr) ui.full_screen(ui.user, window, flags);
  return 1;
}
