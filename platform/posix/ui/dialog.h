// One modal run of a dialog: the controls made from its template, with their contents (texts,
// list entries, selection), the window that stands for the dialog, and how the run ended.
// It lives on the stack of plat_dialog_run_modal; nothing may keep it after the run.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "stamp/platform.h"

struct PlatDialog {
  struct Control {
    int32_t id = 0;
    PlatControlKind kind = PLAT_CONTROL_PUSH_BUTTON;
    uint32_t style = 0;
    std::u16string text;
    std::vector<std::u16string> entries;  // list boxes, in the order they were added
    int32_t selection = -1;               // list boxes: -1 for none
  };

  PlatDialog(const PlatDialogTemplate& dialogTemplate, const PlatDialogHandlers& handlers);
  ~PlatDialog();
  PlatDialog(const PlatDialog&) = delete;
  PlatDialog& operator=(const PlatDialog&) = delete;

  // The control with that id (the first, should the template repeat an id), else nullptr.
  Control* FindControl(int32_t id);
  Control* FindControl(int32_t id, PlatControlKind kind);
  // Delivers a WM_COMMAND to the dialog's code.
  void Notify(int32_t controlId, int32_t notification);

  const PlatDialogTemplate& dialogTemplate;
  const PlatDialogHandlers handlers;
  PlatHandle window = 0;  // 0 when no window could be made
  std::vector<Control> controls;
  std::optional<int32_t> result;  // set by plat_dialog_end
};
