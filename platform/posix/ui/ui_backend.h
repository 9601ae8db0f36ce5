// The UI back end the host installed with plat_ui_set_backend: every member NULL when none is.
// The services here forward to it; without a member they do without (a message box goes to
// standard error, metrics read 0, the full-screen request has no effect).
#pragma once

#include "stamp/platform.h"
#include "stamp/platform_host.h"

namespace stamp::platform {

const PlatUiBackend& UiBackend();

}  // namespace stamp::platform
