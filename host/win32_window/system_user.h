// The user at the screen, whom the tool speaks to in the Windows window: its message boxes, load
// dialog and file picker are the system's own windows, read there, so none is kept for a log.
// A hook on this thread's window procedures sees each load dialog come up and watches it end:
// OK with its path box's text, or Cancel (its button, Escape or the close box), which is all a
// recording of the window's steps needs of the dialog. One at a time; it stops when destroyed.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "host/session/session_ui.h"

namespace stamp::window {

class SystemUser final : public host::SessionUi {
 public:
  SystemUser();
  ~SystemUser();
  SystemUser(const SystemUser&) = delete;
  SystemUser& operator=(const SystemUser&) = delete;

  const std::vector<std::u16string>& messages() const override { return kept_; }
  const std::vector<host::DialogEnd>& dialogEnds() const override { return dialogEnds_; }

 private:
  static LRESULT CALLBACK OnWindowProcedureReturn(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK OnLoadDialogMessage(HWND dialog, UINT message, WPARAM wParam,
                                              LPARAM lParam);
  static void Watch(HWND dialog);

  const std::vector<std::u16string> kept_;  // stays empty
  std::vector<host::DialogEnd> dialogEnds_;
  HHOOK hook_ = nullptr;
};

}  // namespace stamp::window
