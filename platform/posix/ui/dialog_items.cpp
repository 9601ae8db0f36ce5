// What the dialog's own code does with its controls: texts, the list-box messages, placement.
#include "platform/portable/last_error.h"
#include "platform/portable/text_encoding.h"
#include "platform/posix/ui/dialog.h"
#include "stamp/platform_host.h"

using namespace stamp::platform;

namespace {

PlatDialog::Control* Item(PlatDialog* dialog, int32_t controlId) {
  PlatDialog::Control* control = dialog != nullptr ? dialog->FindControl(controlId) : nullptr;
  return control != nullptr ? control : Fail("no such dialog item", nullptr);
}

intptr_t AddString(PlatDialog::Control& list, intptr_t lParam) {
  const auto* text = reinterpret_cast<const char16_t*>(lParam);
  if (text == nullptr) return PLAT_LB_ERR;
  list.entries.emplace_back(text);
  return static_cast<intptr_t>(list.entries.size() - 1);
}

// Like Windows, index -1 clears the selection and still answers LB_ERR; an index past the end
// answers LB_ERR and leaves the selection alone.
intptr_t SetCurrentSelection(PlatDialog::Control& list, intptr_t index) {
  if (index == -1) list.selection = -1;
  if (index < 0 || static_cast<size_t>(index) >= list.entries.size()) return PLAT_LB_ERR;
  list.selection = static_cast<int32_t>(index);
  return index;
}

intptr_t ListMessage(PlatDialog::Control& list, uint32_t message, uintptr_t wParam,
                     intptr_t lParam) {
  switch (message) {
    case PLAT_LB_ADDSTRING: return AddString(list, lParam);
    case PLAT_LB_GETCURSEL: return list.selection;
    case PLAT_LB_SETCURSEL: return SetCurrentSelection(list, static_cast<intptr_t>(wParam));
    case PLAT_LB_GETCOUNT: return static_cast<intptr_t>(list.entries.size());
    default: return PLAT_LB_ERR;
  }
}

}  // namespace

// Gives the number of units copied, the text cut to capacity - 1 and always terminated.
int32_t plat_dialog_get_item_text(PlatDialog* dialog, int32_t controlId, char16_t* buffer,
                                  int32_t capacity) {
  if (buffer == nullptr || capacity <= 0) return Fail("no room for the item text", 0);
  buffer[0] = u'\0';
  const PlatDialog::Control* control = Item(dialog, controlId);
  if (control == nullptr) return 0;
  return CopyTerminated(control->text, buffer, capacity);
}

int32_t plat_dialog_set_item_text(PlatDialog* dialog, int32_t controlId, const char16_t* text) {
  PlatDialog::Control* control = Item(dialog, controlId);
  if (control == nullptr) return 0;
  return GuardedCall(0, [&] {
    control->text = text != nullptr ? text : u"";
    return 1;
  });
}

intptr_t plat_dialog_send_item_message(PlatDialog* dialog, int32_t controlId, uint32_t message,
                                       uintptr_t wParam, intptr_t lParam) {
  PlatDialog::Control* list = Item(dialog, controlId);
  if (list == nullptr || list->kind != PLAT_CONTROL_LIST_BOX) return PLAT_LB_ERR;
  return GuardedCall(intptr_t{PLAT_LB_ERR},
                     [&] { return ListMessage(*list, message, wParam, lParam); });
}

int32_t plat_dialog_set_window_pos(PlatDialog* dialog, PlatHandle insertAfter, int32_t x, int32_t y,
                                   int32_t width, int32_t height, uint32_t flags) {
  if (dialog == nullptr) return Fail("no dialog", 0);
  return plat_set_window_pos(dialog->window, insertAfter, x, y, width, height, flags);
}

const char16_t* plat_dialog_list_entry(PlatDialog* dialog, int32_t controlId, int32_t k) {
  PlatDialog::Control* list = Item(dialog, controlId);
  if (list == nullptr || k < 0 || static_cast<size_t>(k) >= list->entries.size()) return nullptr;
  return list->entries[static_cast<size_t>(k)].c_str();
}
