#include "src/dialog/dialog_exchange.h"

#include "src/dialog/dialog_base.h"
#include "stamp/platform.h"

namespace stamp {

void ListBox::Bind(DialogBase& dialog, int32_t controlId) {
  dialog_ = &dialog;
  controlId_ = controlId;
}

int32_t ListBox::AddString(const std::u16string& text) {
  return Send(PLAT_LB_ADDSTRING, 0, reinterpret_cast<intptr_t>(text.c_str()));
}

int32_t ListBox::GetCount() const { return Send(PLAT_LB_GETCOUNT, 0, 0); }

int32_t ListBox::GetCurSel() const { return Send(PLAT_LB_GETCURSEL, 0, 0); }

void ListBox::SetCurSel(int32_t index) {
  Send(PLAT_LB_SETCURSEL, static_cast<uintptr_t>(static_cast<intptr_t>(index)), 0);
}

int32_t ListBox::Send(uint32_t message, uintptr_t wParam, intptr_t lParam) const {
  if (!IsBound()) return PLAT_LB_ERR;
  return static_cast<int32_t>(dialog_->SendItemMessage(controlId_, message, wParam, lParam));
}

void ExchangeControl(DataExchange& exchange, int32_t controlId, ListBox& control) {
  control.Bind(exchange.dialog(), controlId);
}

void ExchangeText(DataExchange& exchange, int32_t controlId, std::u16string& value) {
  if (exchange.saveAndValidate()) {
    value = exchange.dialog().GetItemText(controlId);
  } else {
    exchange.dialog().SetItemText(controlId, value);
  }
}

void ExchangeListIndex(DataExchange& exchange, int32_t controlId, int32_t& index) {
  ListBox list;
  list.Bind(exchange.dialog(), controlId);
  if (exchange.saveAndValidate()) {
    index = list.GetCurSel();
  } else {
    list.SetCurSel(index);
  }
}

}  // namespace stamp
