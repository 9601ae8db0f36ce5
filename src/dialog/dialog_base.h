// A small modal dialog class over the platform's dialog runner: the dialog's own code is a class
// derived from DialogBase that overrides initialisation, data exchange and command handling.
// One object serves one modal run at a time; the platform's dialog (and with it every control's
// content) exists only during DoModal.
#pragma once

#include <cstdint>
#include <exception>
#include <span>
#include <string>

#include "stamp/platform.h"

namespace stamp {

class DataExchange;

class DialogBase {
 public:
  explicit DialogBase(const PlatDialogTemplate& dialogTemplate) : template_(dialogTemplate) {}
  virtual ~DialogBase() = default;
  DialogBase(const DialogBase&) = delete;
  DialogBase& operator=(const DialogBase&) = delete;

  // Runs the dialog until its code ends it: PLAT_IDOK, PLAT_IDCANCEL, or -1 when the platform
  // could not run it. An exception from the dialog's code ends the run and is thrown from here.
  int32_t DoModal();

  // Copies between members and controls: saveAndValidate reads the controls into the members,
  // otherwise the members are written to the controls. False outside a run.
  bool UpdateData(bool saveAndValidate);

  // The controls of the running dialog; outside a run they read as empty and ignore writes.
  bool IsRunning() const { return dialog_ != nullptr; }
  std::u16string GetItemText(int32_t controlId) const;
  void SetItemText(int32_t controlId, const std::u16string& text);
  intptr_t SendItemMessage(int32_t controlId, uint32_t message, uintptr_t wParam, intptr_t lParam);

 protected:
  // Runs once before the user sees the dialog: writes the members to the controls. Gives 1, the
  // default focus handling.
  virtual int32_t OnInitDialog();
  virtual void DoDataExchange(DataExchange& exchange);
  // One WM_COMMAND from a control; false when nothing handles it. The base handles OK and Cancel.
  virtual bool OnCommand(int32_t controlId, int32_t notification);
  // OK takes the controls into the members and ends with IDOK; Cancel ends with IDCANCEL.
  virtual void OnOK();
  virtual void OnCancel();

  void SetWindowPos(PlatHandle insertAfter, int32_t x, int32_t y, int32_t width, int32_t height,
                    uint32_t flags);
  void EndDialog(int32_t result);

 private:
  static int32_t InitThunk(void* self, PlatDialog* dialog);
  static void CommandThunk(void* self, PlatDialog* dialog, int32_t controlId, int32_t notification);
  void EndWithEscaped();

  const PlatDialogTemplate& template_;
  PlatDialog* dialog_ = nullptr;
  std::exception_ptr escaped_;
};

// One entry of a dialog's message map: the control and notification it answers, and the member
// function that answers them.
template <typename Dialog>
struct CommandEntry {
  int32_t controlId;
  int32_t notification;
  void (Dialog::*handler)();
};

// Calls the handler of the first entry matching the command; false when none matches.
template <typename Dialog>
bool DispatchCommand(Dialog& dialog, std::span<const CommandEntry<Dialog>> messageMap,
                     int32_t controlId, int32_t notification) {
  for (const CommandEntry<Dialog>& entry : messageMap) {
    if (entry.controlId == controlId && entry.notification == notification) {
      (dialog.*entry.handler)();
      return true;
    }
  }
  return false;
}

}  // namespace stamp
