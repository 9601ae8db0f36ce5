// The system's open and save dialogs: the UI back end answers them. Without one, no file is
// chosen, as when the user cancels.
#include "platform/portable/last_error.h"
#include "platform/posix/ui/ui_backend.h"
#include "stamp/platform.h"

namespace stamp::platform {
namespace {

int32_t RunFileDialog(int32_t save, PlatOpenFileName* request) {
  if (request == nullptr) return Fail("file dialog without a request", 0);
  const PlatUiBackend& ui = UiBackend();
  if (ui.file_dialog == nullptr) return Fail("no UI back end for the file dialog", 0);
  return ui.file_dialog(ui.user, save, request);
}

}  // namespace
}  // namespace stamp::platform

int32_t plat_get_open_file_name(PlatOpenFileName* request) {
  return stamp::platform::RunFileDialog(0, request);
}

int32_t plat_get_save_file_name(PlatOpenFileName* request) {
  return stamp::platform::RunFileDialog(1, request);
}
