#include "host/session/sheet_loading.h"

#include "stamp/platform_host.h"
#include "stamp/plugin.h"

namespace stamp::host {
namespace {

// A back end that answers load dialogs with a path and forwards the rest to the one it
// replaces, for as long as it lives.
class AnsweringBackend {
 public:
  explicit AnsweringBackend(const std::u16string& path) : path_(path) {
    plat_ui_get_backend(&before_);
    PlatUiBackend answering = before_;
    answering.user = this;
    answering.run_dialog = &RunDialog;
    if (before_.message_box != nullptr) answering.message_box = &MessageBox;
    if (before_.file_dialog != nullptr) answering.file_dialog = &FileDialog;
    if (before_.full_screen != nullptr) answering.full_screen = &FullScreen;
    if (before_.window_pos != nullptr) answering.window_pos = &WindowPos;
    if (before_.system_metric != nullptr) answering.system_metric = &SystemMetric;
    plat_ui_set_backend(&answering);
  }
  ~AnsweringBackend() { plat_ui_set_backend(&before_); }
  AnsweringBackend(const AnsweringBackend&) = delete;
  AnsweringBackend& operator=(const AnsweringBackend&) = delete;

 private:
  static const PlatUiBackend& Before(void* user) {
    return static_cast<AnsweringBackend*>(user)->before_;
  }
  static void RunDialog(void* user, PlatDialog* dialog) {
    const std::u16string& path = static_cast<AnsweringBackend*>(user)->path_;
    plat_dialog_user_type(dialog, STAMP_LOAD_DIALOG_PATH_BOX, path.c_str());
    plat_dialog_user_click(dialog, PLAT_IDOK);
  }
  static void MessageBox(void* user, const char16_t* text) {
    Before(user).message_box(Before(user).user, text);
  }
  static int32_t FileDialog(void* user, int32_t save, PlatOpenFileName* request) {
    return Before(user).file_dialog(Before(user).user, save, request);
  }
  static void FullScreen(void* user, PlatHandle window, uint32_t flags) {
    Before(user).full_screen(Before(user).user, window, flags);
  }
  static void WindowPos(void* user, PlatHandle window, PlatHandle insertAfter, int32_t x, int32_t y,
                        int32_t width, int32_t height, uint32_t flags) {
    Before(user).window_pos(Before(user).user, window, insertAfter, x, y, width, height, flags);
  }
  static int32_t SystemMetric(void* user, int32_t index) {
    return Before(user).system_metric(Before(user).user, index);
  }

  std::u16string path_;
  PlatUiBackend before_{};
};

}  // namespace

EventOutcome LoadSheetThroughDialog(Session& session, const std::u16string& path) {
  const AnsweringBackend answering(path);
  session.Send(kFileButtonPress[0]);
  return session.Send(kFileButtonPress[1]);
}

}  // namespace stamp::host
