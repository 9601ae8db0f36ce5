// The platform's UI back end shown with Qt, for the window: the tool's message boxes as message
// boxes with an OK button, its modal dialogs as TemplateDialogs, the system's file dialogs as
// QFileDialogs, and the screen size of the window's screen as the system metrics. Constructing it
// installs it; destroying it removes it. It is the user the window's session speaks to; the user
// reads each message box on the screen, so none is kept for the session's log. How each load
// dialog ended is kept, for a recording of the window's steps.
//
// The full-screen and window-position requests are left out (the platform then ignores them):
// they hide and show a pocket device's task bar around the load dialog and give the host's frame
// window the whole screen afterwards; on a desktop the window manager places the window and there
// is no task bar of the tool's to hide. The load dialog's own "bring to the top" request comes
// before the dialog is shown, and showing it brings it to the top.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/session/session_ui.h"
#include "stamp/platform.h"

class QWidget;

namespace stamp::gui {

class QtUiBackend final : public host::SessionUi {
 public:
  // window is the parent of every dialog and message box.
  explicit QtUiBackend(QWidget* window);
  ~QtUiBackend();
  QtUiBackend(const QtUiBackend&) = delete;
  QtUiBackend& operator=(const QtUiBackend&) = delete;

  const std::vector<std::u16string>& messages() const override { return kept_; }
  const std::vector<host::DialogEnd>& dialogEnds() const override { return dialogEnds_; }

 private:
  static void OnMessageBox(void* user, const char16_t* text);
  static void OnRunDialog(void* user, PlatDialog* dialog);
  static int32_t OnFileDialog(void* user, int32_t save, PlatOpenFileName* request);
  static int32_t OnSystemMetric(void* user, int32_t index);

  QWidget* window_;
  const std::vector<std::u16string> kept_;  // stays empty
  std::vector<host::DialogEnd> dialogEnds_;
};

}  // namespace stamp::gui
