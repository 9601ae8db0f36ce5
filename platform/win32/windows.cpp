// Windows, the screen, the message box and the shell's full-screen control.
#include "platform/portable/last_error.h"
#include "platform/win32/win32_handles.h"

namespace stamp::platform {
namespace {

static_assert(PLAT_SWP_NOSIZE == SWP_NOSIZE && PLAT_SWP_NOMOVE == SWP_NOMOVE &&
              PLAT_SWP_FRAMECHANGED == SWP_FRAMECHANGED && PLAT_SWP_SHOWWINDOW == SWP_SHOWWINDOW);
static_assert(PLAT_SM_CXSCREEN == SM_CXSCREEN && PLAT_SM_CYSCREEN == SM_CYSCREEN);

// The full-screen control lives in the handheld shell's library; a desktop system lacks it, and
// the request then fails (the window keeps its frame and the task bar stays).
constexpr wchar_t kShellLibrary[] = L"aygshell.dll";
constexpr char kFullScreenExport[] = "SHFullScreen";
using FullScreenEntry = BOOL(WINAPI*)(HWND, DWORD);

constexpr wchar_t kWindowClass[] = L"STATIC";

}  // namespace
}  // namespace stamp::platform

using stamp::platform::Fail;
using stamp::platform::FromHandle;
using stamp::platform::ToHandle;

PlatHandle plat_create_window(void) {
  HWND window = CreateWindowExW(0, stamp::platform::kWindowClass, L"", WS_POPUP, 0, 0, 0, 0,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  return window != nullptr ? ToHandle(window) : Fail("CreateWindowExW failed", PlatHandle{0});
}

int32_t plat_destroy_window(PlatHandle window) {
  return DestroyWindow(FromHandle<HWND>(window)) ? 1 : 0;
}

int32_t plat_set_window_pos(PlatHandle window, PlatHandle insertAfter, int32_t x, int32_t y,
                            int32_t width, int32_t height, uint32_t flags) {
  return SetWindowPos(FromHandle<HWND>(window), FromHandle<HWND>(insertAfter), x, y, width, height,
                      flags)
             ? 1
             : 0;
}

int32_t plat_get_window_rect(PlatHandle window, PlatRect* rect) {
  RECT placed{};
  if (rect == nullptr || !GetWindowRect(FromHandle<HWND>(window), &placed)) {
    return Fail("plat_get_window_rect: not a window", 0);
  }
  *rect = {placed.left, placed.top, placed.right, placed.bottom};
  return 1;
}

int32_t plat_is_window_visible(PlatHandle window) {
  return IsWindowVisible(FromHandle<HWND>(window)) ? 1 : 0;
}

int32_t plat_get_system_metrics(int32_t index) { return GetSystemMetrics(index); }

int32_t plat_sh_full_screen(PlatHandle window, uint32_t flags) {
  using namespace stamp::platform;
  HMODULE shell = LoadLibraryW(kShellLibrary);
  if (shell == nullptr) return Fail("no full-screen control on this system", 0);
  auto entry = reinterpret_cast<FullScreenEntry>(
      reinterpret_cast<void*>(GetProcAddress(shell, kFullScreenExport)));
  const int32_t result = entry != nullptr && entry(FromHandle<HWND>(window), flags) ? 1 : 0;
  FreeLibrary(shell);
  return result;
}

int32_t plat_message_box(const char16_t* text) {
  return MessageBoxW(GetActiveWindow(), text != nullptr ? stamp::platform::Wide(text) : L"",
                     nullptr, MB_OK | MB_TASKMODAL);
}
