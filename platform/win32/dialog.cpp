// Modal dialogs: the template is the dialog resource of the same id in the module this code is
// linked into, run by DialogBoxParamW; the dialog's own code gets WM_INITDIALOG and WM_COMMAND.
#include "platform/portable/last_error.h"
#include "platform/win32/win32_handles.h"
#include "stamp/platform_host.h"

struct PlatDialog {
  HWND window = nullptr;
  const PlatDialogTemplate* dialogTemplate = nullptr;
  const PlatDialogHandlers* handlers = nullptr;
};

namespace stamp::platform {
namespace {

static_assert(PLAT_IDOK == IDOK && PLAT_IDCANCEL == IDCANCEL && PLAT_LB_ERR == LB_ERR);
static_assert(PLAT_LB_ADDSTRING == LB_ADDSTRING && PLAT_LB_GETCURSEL == LB_GETCURSEL &&
              PLAT_LB_SETCURSEL == LB_SETCURSEL && PLAT_LB_GETCOUNT == LB_GETCOUNT);
static_assert(PLAT_BN_CLICKED == BN_CLICKED && PLAT_LBN_SELCHANGE == LBN_SELCHANGE);

PlatDialog* DialogOf(HWND window) {
  return reinterpret_cast<PlatDialog*>(GetWindowLongPtrW(window, DWLP_USER));
}

INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<PlatDialog*>(lParam);
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    dialog->window = window;
    return dialog->handlers->init(dialog->handlers->self, dialog);
  }
  PlatDialog* dialog = DialogOf(window);
  if (message != WM_COMMAND || dialog == nullptr) return FALSE;
  dialog->handlers->command(dialog->handlers->self, dialog, LOWORD(wParam), HIWORD(wParam));
  return TRUE;
}

}  // namespace

HMODULE OwnModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&OwnModule), &module);
  return module;
}

}  // namespace stamp::platform

using stamp::platform::FromHandle;
using stamp::platform::Wide;

int32_t plat_dialog_run_modal(const PlatDialogTemplate* dialogTemplate,
                              const PlatDialogHandlers* handlers) {
  if (dialogTemplate == nullptr || handlers == nullptr) {
    return stamp::platform::Fail("plat_dialog_run_modal: no template or handlers", -1);
  }
  PlatDialog dialog{nullptr, dialogTemplate, handlers};
  const INT_PTR result = DialogBoxParamW(
      stamp::platform::OwnModule(), MAKEINTRESOURCEW(dialogTemplate->resourceId), GetActiveWindow(),
      stamp::platform::DialogProcedure, reinterpret_cast<LPARAM>(&dialog));
  if (result == -1) return stamp::platform::Fail("DialogBoxParamW failed", -1);
  return static_cast<int32_t>(result);
}

int32_t plat_dialog_get_item_text(PlatDialog* dialog, int32_t controlId, char16_t* buffer,
                                  int32_t capacity) {
  return static_cast<int32_t>(GetDlgItemTextW(dialog->window, controlId, Wide(buffer), capacity));
}

int32_t plat_dialog_set_item_text(PlatDialog* dialog, int32_t controlId, const char16_t* text) {
  return SetDlgItemTextW(dialog->window, controlId, Wide(text)) ? 1 : 0;
}

intptr_t plat_dialog_send_item_message(PlatDialog* dialog, int32_t controlId, uint32_t message,
                                       uintptr_t wParam, intptr_t lParam) {
  return SendDlgItemMessageW(dialog->window, controlId, message, wParam, lParam);
}

int32_t plat_dialog_set_window_pos(PlatDialog* dialog, PlatHandle insertAfter, int32_t x, int32_t y,
                                   int32_t width, int32_t height, uint32_t flags) {
  return SetWindowPos(dialog->window, FromHandle<HWND>(insertAfter), x, y, width, height, flags)
             ? 1
             : 0;
}

void plat_dialog_end(PlatDialog* dialog, int32_t result) { EndDialog(dialog->window, result); }

const PlatDialogTemplate* plat_dialog_template(PlatDialog* dialog) {
  return dialog->dialogTemplate;
}
