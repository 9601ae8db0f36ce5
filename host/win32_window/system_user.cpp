#include "host/win32_window/system_user.h"

#include "stamp/plugin.h"

namespace stamp::window {
namespace {

// The load dialog's own window procedure, kept on the dialog while it is watched.
constexpr wchar_t kWatchedProcedure[] = L"StampHostDialogProcedure";

SystemUser* active = nullptr;

// The load dialog is the one dialog with the tool's path box, file button and list.
bool IsLoadDialog(HWND dialog) {
  return GetDlgItem(dialog, STAMP_LOAD_DIALOG_PATH_BOX) != nullptr &&
         GetDlgItem(dialog, STAMP_LOAD_DIALOG_FILE_BUTTON) != nullptr &&
         GetDlgItem(dialog, STAMP_LOAD_DIALOG_LIST) != nullptr;
}

std::u16string ControlText(HWND dialog, int controlId) {
  HWND control = GetDlgItem(dialog, controlId);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  const int length = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
  return std::u16string(text.begin(), text.begin() + length);
}

}  // namespace

SystemUser::SystemUser() {
  hook_ =
      SetWindowsHookExW(WH_CALLWNDPROCRET, OnWindowProcedureReturn, nullptr, GetCurrentThreadId());
  active = this;
}

SystemUser::~SystemUser() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  active = nullptr;
}

LRESULT CALLBACK SystemUser::OnWindowProcedureReturn(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_INITDIALOG && IsLoadDialog(call->hwnd)) {
    Watch(call->hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The dialog's procedure is wrapped, so that OK and Cancel are seen however they come: a
// button's notice is sent, the close box's Cancel is posted.
void SystemUser::Watch(HWND dialog) {
  const LONG_PTR own =
      SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OnLoadDialogMessage));
  SetPropW(dialog, kWatchedProcedure, reinterpret_cast<HANDLE>(own));
}

// The tool ends the dialog on the first OK or Cancel, and takes the path box's text on OK.
LRESULT CALLBACK SystemUser::OnLoadDialogMessage(HWND dialog, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
  const auto own = reinterpret_cast<WNDPROC>(GetPropW(dialog, kWatchedProcedure));
  const bool ending =
      message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL);
  if (ending || message == WM_NCDESTROY) {
    SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
    RemovePropW(dialog, kWatchedProcedure);
  }
  if (ending && active != nullptr) {
    const bool ok = LOWORD(wParam) == IDOK;
    active->dialogEnds_.push_back(
        {ok, ok ? ControlText(dialog, STAMP_LOAD_DIALOG_PATH_BOX) : std::u16string()});
  }
  return CallWindowProcW(own, dialog, message, wParam, lParam);
}

}  // namespace stamp::window
