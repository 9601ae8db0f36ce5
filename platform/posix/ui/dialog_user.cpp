// What the UI back end does for the user in a running dialog. Each action reaches the dialog's
// code as the notification Windows would send: a click sends BN_CLICKED, OK and Cancel included
// (their handling is the dialog's own); a selection in a list box with LBS_NOTIFY sends
// LBN_SELCHANGE. Typing sends nothing: the dialog's code reads the text when it needs it.
// Once the dialog has ended, no action is taken.
#include "platform/portable/last_error.h"
#include "platform/posix/ui/dialog.h"
#include "stamp/platform_host.h"

using namespace stamp::platform;

namespace {

// The control the user acts on, when the dialog is still open and has it.
PlatDialog::Control* Target(PlatDialog* dialog, int32_t controlId, PlatControlKind kind) {
  if (dialog == nullptr || dialog->result) return Fail("no open dialog", nullptr);
  PlatDialog::Control* control = dialog->FindControl(controlId, kind);
  if (control == nullptr) return Fail("no such control for this action", nullptr);
  return control;
}

bool IsButton(const PlatDialog::Control* control) {
  return control != nullptr && (control->kind == PLAT_CONTROL_PUSH_BUTTON ||
                                control->kind == PLAT_CONTROL_DEFAULT_PUSH_BUTTON);
}

}  // namespace

int32_t plat_dialog_user_type(PlatDialog* dialog, int32_t controlId, const char16_t* text) {
  PlatDialog::Control* edit = Target(dialog, controlId, PLAT_CONTROL_EDIT);
  if (edit == nullptr || text == nullptr) return 0;
  return GuardedCall(0, [&] {
    edit->text = text;
    return 1;
  });
}

int32_t plat_dialog_user_select(PlatDialog* dialog, int32_t controlId, int32_t index) {
  PlatDialog::Control* list = Target(dialog, controlId, PLAT_CONTROL_LIST_BOX);
  if (list == nullptr) return 0;
  if (index < 0 || static_cast<size_t>(index) >= list->entries.size()) {
    return Fail("no such list entry", 0);
  }
  list->selection = index;
  if ((list->style & PLAT_LBS_NOTIFY) != 0) dialog->Notify(controlId, PLAT_LBN_SELCHANGE);
  return 1;
}

// OK and Cancel can always be clicked, button or not: they stand for the Enter and Escape keys.
int32_t plat_dialog_user_click(PlatDialog* dialog, int32_t controlId) {
  if (dialog == nullptr || dialog->result) return Fail("no open dialog", 0);
  const bool key = controlId == PLAT_IDOK || controlId == PLAT_IDCANCEL;
  if (!key && !IsButton(dialog->FindControl(controlId))) return Fail("no such button", 0);
  dialog->Notify(controlId, PLAT_BN_CLICKED);
  return 1;
}
