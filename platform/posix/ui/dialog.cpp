// Running a dialog: the template becomes controls, the dialog's code initialises them, and the
// UI back end acts for the user until the dialog's code ends the run.
//
// Without a back end nothing runs, not even init, and the result is -1. A back end that returns
// while the dialog is still open has failed to run it: the result is -1 too, which the caller
// treats like any result but OK. A dialog ended by its init never reaches the back end.
#include "platform/posix/ui/dialog.h"

#include "platform/portable/last_error.h"
#include "platform/posix/ui/ui_backend.h"
#include "stamp/platform_host.h"

PlatDialog::PlatDialog(const PlatDialogTemplate& dialogTemplate, const PlatDialogHandlers& handlers)
    : dialogTemplate(dialogTemplate), handlers(handlers) {
  for (int32_t i = 0; i < dialogTemplate.controlCount; ++i) {
    const PlatDialogControl& control = dialogTemplate.controls[i];
    Control& made = controls.emplace_back();
    made.id = control.id;
    made.kind = control.kind;
    made.style = control.style;
    if (control.text != nullptr && control.kind != PLAT_CONTROL_LIST_BOX) made.text = control.text;
  }
  window = plat_create_window();  // last, so a failure above leaves no window behind
}

PlatDialog::~PlatDialog() {
  if (window != 0) plat_destroy_window(window);
}

PlatDialog::Control* PlatDialog::FindControl(int32_t id) {
  for (Control& control : controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

PlatDialog::Control* PlatDialog::FindControl(int32_t id, PlatControlKind kind) {
  Control* control = FindControl(id);
  return control != nullptr && control->kind == kind ? control : nullptr;
}

void PlatDialog::Notify(int32_t controlId, int32_t notification) {
  if (handlers.command != nullptr) handlers.command(handlers.self, this, controlId, notification);
}

using namespace stamp::platform;

namespace {

bool ValidTemplate(const PlatDialogTemplate* dialogTemplate) {
  return dialogTemplate != nullptr && dialogTemplate->controlCount >= 0 &&
         (dialogTemplate->controlCount == 0 || dialogTemplate->controls != nullptr);
}

}  // namespace

int32_t plat_dialog_run_modal(const PlatDialogTemplate* dialogTemplate,
                              const PlatDialogHandlers* handlers) {
  if (!ValidTemplate(dialogTemplate) || handlers == nullptr) {
    return Fail("dialog without a valid template or handlers", -1);
  }
  const PlatUiBackend ui = UiBackend();
  if (ui.run_dialog == nullptr) return Fail("no UI back end to run the dialog", -1);
  return GuardedCall(-1, [&] {
    PlatDialog dialog(*dialogTemplate, *handlers);
    if (dialog.window == 0) return -1;
    if (handlers->init != nullptr) handlers->init(handlers->self, &dialog);
    if (!dialog.result) ui.run_dialog(ui.user, &dialog);
    if (!dialog.result) return Fail("the UI back end left the dialog open", -1);
    return *dialog.result;
  });
}

void plat_dialog_end(PlatDialog* dialog, int32_t result) {
  if (dialog != nullptr) dialog->result = result;
}

int32_t plat_dialog_ended(PlatDialog* dialog, int32_t* result) {
  if (dialog == nullptr || !dialog->result) return 0;
  if (result != nullptr) *result = *dialog->result;
  return 1;
}

const PlatDialogTemplate* plat_dialog_template(PlatDialog* dialog) {
  return dialog != nullptr ? &dialog->dialogTemplate : nullptr;
}

PlatHandle plat_dialog_window(PlatDialog* dialog) { return dialog != nullptr ? dialog->window : 0; }
