#include "src/panel/file_button.h"

#include <cstring>
#include <string>

#include "src/dialog/stamp_load_dialog.h"
#include "stamp/host_record.h"
#include "stamp/platform.h"

namespace stamp {
namespace {

// The shell's full-screen flags: while the dialog runs the user gets the task bar and the
// input-panel button; afterwards the host has the whole screen again.
constexpr uint32_t kShowShell = PLAT_SHFS_SHOWTASKBAR | PLAT_SHFS_SHOWSIPBUTTON;
constexpr uint32_t kHideShell = PLAT_SHFS_HIDETASKBAR | PLAT_SHFS_HIDESIPBUTTON;

// The frame window object holds the window handle at a fixed byte; the object is the host's.
void GiveFrameWindowTheScreen(const HostContext& host, int32_t width, int32_t height) {
  const uint8_t* frame = host.frameWindow();
  if (frame == nullptr) return;
  PlatHandle window;
  std::memcpy(&window, frame + STAMP_FRAME_WINDOW_HANDLE, sizeof window);
  plat_set_window_pos(window, PLAT_HWND_TOP, 0, 0, width, height, PLAT_SWP_FRAMECHANGED);
}

void GiveHostTheScreen(const HostContext& host) {
  const int32_t height = plat_get_system_metrics(PLAT_SM_CYSCREEN);
  const int32_t width = plat_get_system_metrics(PLAT_SM_CXSCREEN);
  GiveFrameWindowTheScreen(host, width, height);
  plat_sh_full_screen(host.mainWindow(), kHideShell);
}

void ChooseSheet(StampLoadDialog& dialog, const SheetChosen& chosen) {
  if (dialog.DoModal() == PLAT_IDOK) chosen(dialog.path());
}

}  // namespace

// The dialog lives for this one run and is destroyed on leaving, after the screen is restored,
// also when the run ends in an exception.
void RunFileButton(const HostContext& host, const std::u16string& currentPath,
                   const SheetChosen& chosen) {
  StampLoadDialog dialog;
  dialog.setPath(currentPath);
  plat_sh_full_screen(host.mainWindow(), kShowShell);
  try {
    ChooseSheet(dialog, chosen);
  } catch (...) {
    GiveHostTheScreen(host);
    throw;
  }
  GiveHostTheScreen(host);
}

}  // namespace stamp
