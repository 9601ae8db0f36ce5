// Data exchange between a dialog's members and its controls, in the direction the DataExchange
// names, and the list box control object a member can be bound to.
#pragma once

#include <cstdint>
#include <string>

namespace stamp {

class DialogBase;

// One pass of DialogBase::UpdateData over the bindings of DoDataExchange.
class DataExchange {
 public:
  DataExchange(DialogBase& dialog, bool saveAndValidate)
      : dialog_(dialog), saveAndValidate_(saveAndValidate) {}

  DialogBase& dialog() const { return dialog_; }
  // True: controls -> members. False: members -> controls.
  bool saveAndValidate() const { return saveAndValidate_; }

 private:
  DialogBase& dialog_;
  bool saveAndValidate_;
};

// A list box of a dialog, reached through its dialog while the dialog runs.
class ListBox {
 public:
  void Bind(DialogBase& dialog, int32_t controlId);
  bool IsBound() const { return dialog_ != nullptr; }

  // The new entry's index, PLAT_LB_ERR when the list is not there.
  int32_t AddString(const std::u16string& text);
  int32_t GetCount() const;
  // The selected index, PLAT_LB_ERR when nothing is selected.
  int32_t GetCurSel() const;
  // index -1 clears the selection.
  void SetCurSel(int32_t index);

 private:
  int32_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) const;

  DialogBase* dialog_ = nullptr;
  int32_t controlId_ = 0;
};

// Binds a control object to a control of the dialog.
void ExchangeControl(DataExchange& exchange, int32_t controlId, ListBox& control);
// The text of a control <-> a string.
void ExchangeText(DataExchange& exchange, int32_t controlId, std::u16string& value);
// The selected index of a list box <-> an int (-1: nothing selected).
void ExchangeListIndex(DataExchange& exchange, int32_t controlId, int32_t& index);

}  // namespace stamp
