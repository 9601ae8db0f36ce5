#include "src/dialog/dialog_base.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "src/dialog/dialog_exchange.h"

namespace stamp {
namespace {

// First guess for a control's text; longer texts are read again into a larger buffer.
constexpr int32_t kInitialTextCapacity = PLAT_MAX_PATH + 1;

}  // namespace

int32_t DialogBase::DoModal() {
  const PlatDialogHandlers handlers{this, &DialogBase::InitThunk, &DialogBase::CommandThunk};
  const int32_t result = plat_dialog_run_modal(&template_, &handlers);
  dialog_ = nullptr;
  if (escaped_) std::rethrow_exception(std::exchange(escaped_, nullptr));
  return result;
}

// The handlers are called from the platform's C frames, which an exception must not cross: one
// that escapes the dialog's code ends the run and is thrown again from DoModal.
void DialogBase::EndWithEscaped() {
  escaped_ = std::current_exception();
  EndDialog(PLAT_IDCANCEL);
}

int32_t DialogBase::InitThunk(void* self, PlatDialog* dialog) {
  auto* owner = static_cast<DialogBase*>(self);
  owner->dialog_ = dialog;
  try {
    return owner->OnInitDialog();
  } catch (...) {
    owner->EndWithEscaped();
    return 0;
  }
}

void DialogBase::CommandThunk(void* self, PlatDialog* dialog, int32_t controlId,
                              int32_t notification) {
  auto* owner = static_cast<DialogBase*>(self);
  owner->dialog_ = dialog;
  try {
    owner->OnCommand(controlId, notification);
  } catch (...) {
    owner->EndWithEscaped();
  }
}

bool DialogBase::UpdateData(bool saveAndValidate) {
  if (!IsRunning()) return false;
  DataExchange exchange(*this, saveAndValidate);
  DoDataExchange(exchange);
  return true;
}

int32_t DialogBase::OnInitDialog() {
  UpdateData(false);
  return 1;
}

void DialogBase::DoDataExchange(DataExchange&) {}

bool DialogBase::OnCommand(int32_t controlId, int32_t notification) {
  if (notification != PLAT_BN_CLICKED) return false;
  if (controlId == PLAT_IDOK) {
    OnOK();
    return true;
  }
  if (controlId == PLAT_IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

void DialogBase::OnOK() {
  UpdateData(true);
  EndDialog(PLAT_IDOK);
}

void DialogBase::OnCancel() { EndDialog(PLAT_IDCANCEL); }

// The platform may report either the copied or the full length; a result that leaves no spare
// unit in the buffer may have been cut, so the text is read again into a buffer twice as large.
std::u16string DialogBase::GetItemText(int32_t controlId) const {
  if (!IsRunning()) return {};
  std::vector<char16_t> buffer(kInitialTextCapacity);
  for (;;) {
    const auto capacity = static_cast<int32_t>(buffer.size());
    const int32_t length = plat_dialog_get_item_text(dialog_, controlId, buffer.data(), capacity);
    if (length < capacity - 1) {
      return std::u16string(buffer.begin(), std::find(buffer.begin(), buffer.end(), u'\0'));
    }
    buffer.assign(buffer.size() * 2, u'\0');
  }
}

void DialogBase::SetItemText(int32_t controlId, const std::u16string& text) {
  if (IsRunning()) plat_dialog_set_item_text(dialog_, controlId, text.c_str());
}

intptr_t DialogBase::SendItemMessage(int32_t controlId, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam) {
  if (!IsRunning()) return PLAT_LB_ERR;
  return plat_dialog_send_item_message(dialog_, controlId, message, wParam, lParam);
}

void DialogBase::SetWindowPos(PlatHandle insertAfter, int32_t x, int32_t y, int32_t width,
                              int32_t height, uint32_t flags) {
  if (IsRunning()) plat_dialog_set_window_pos(dialog_, insertAfter, x, y, width, height, flags);
}

void DialogBase::EndDialog(int32_t result) {
  if (IsRunning()) plat_dialog_end(dialog_, result);
}

}  // namespace stamp
