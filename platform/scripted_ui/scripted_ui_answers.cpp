// The scripted back end's answers to dialogs: the modal dialog driven from the action queue,
// and the file dialog answered from the answer queue.
#include "platform/portable/text_encoding.h"
#include "platform/scripted_ui/scripted_ui.h"
#include "stamp/platform_host.h"

namespace stamp::platform {
namespace {

constexpr size_t kFirstTextCapacity = 64;

// The units of a buffer up to its terminator, reading no more than capacity units.
std::u16string BoundedText(const char16_t* text, uint32_t capacity) {
  if (text == nullptr) return {};
  uint32_t length = 0;
  while (length < capacity && text[length] != u'\0') ++length;
  return std::u16string(text, length);
}

// The (description, pattern) pairs of a filter: strings ended by a zero, the list by another.
std::vector<std::pair<std::u16string, std::u16string>> FilterPairs(const char16_t* filter) {
  std::vector<std::pair<std::u16string, std::u16string>> pairs;
  while (filter != nullptr && *filter != u'\0') {
    const std::u16string_view description = filter;
    const std::u16string_view pattern = filter + description.size() + 1;
    pairs.emplace_back(description, pattern);
    if (pattern.empty()) break;
    filter = pattern.data() + pattern.size() + 1;
  }
  return pairs;
}

// A control's text, read through the platform in buffers that grow until the text fits.
std::u16string ItemText(PlatDialog* dialog, int32_t controlId) {
  std::u16string text(kFirstTextCapacity, u'\0');
  for (;;) {
    const int32_t capacity = static_cast<int32_t>(text.size());
    const int32_t length = plat_dialog_get_item_text(dialog, controlId, text.data(), capacity);
    if (length < capacity - 1) return text.substr(0, static_cast<size_t>(length));
    text.resize(text.size() * 2);
  }
}

std::vector<std::u16string> ListEntries(PlatDialog* dialog, int32_t listId) {
  std::vector<std::u16string> entries;
  for (int32_t k = 0;; ++k) {
    const char16_t* entry = plat_dialog_list_entry(dialog, listId, k);
    if (entry == nullptr) return entries;
    entries.emplace_back(entry);
  }
}

// What every control of the dialog's template shows, as the platform reports it.
void CaptureInto(ScriptedUi::DialogRun& run, PlatDialog* dialog) {
  const PlatDialogTemplate& shown = *plat_dialog_template(dialog);
  for (int32_t i = 0; i < shown.controlCount; ++i) {
    const PlatDialogControl& control = shown.controls[i];
    run.texts.emplace(control.id, ItemText(dialog, control.id));
    if (control.kind != PLAT_CONTROL_LIST_BOX) continue;
    run.lists.emplace(control.id, ListEntries(dialog, control.id));
    run.selections.emplace(control.id, static_cast<int32_t>(plat_dialog_send_item_message(
                                           dialog, control.id, PLAT_LB_GETCURSEL, 0, 0)));
  }
}

}  // namespace

void ScriptedUi::RunDialog(PlatDialog* dialog) {
  const size_t index = dialogRuns_.size();
  dialogRuns_.emplace_back().resourceId = plat_dialog_template(dialog)->resourceId;
  dialogRuns_.back().window = plat_dialog_window(dialog);
  int32_t refused = 0;
  while (!plat_dialog_ended(dialog, nullptr) && !dialogActions_.empty()) {
    const DialogAction action = std::move(dialogActions_.front());
    dialogActions_.pop_front();
    int32_t taken = 0;
    switch (action.kind) {
      case DialogAction::Kind::Select:
        taken = plat_dialog_user_select(dialog, action.controlId, action.index);
        break;
      case DialogAction::Kind::Type:
        taken = plat_dialog_user_type(dialog, action.controlId, action.text.c_str());
        break;
      case DialogAction::Kind::Click:
        taken = plat_dialog_user_click(dialog, action.controlId);
        break;
    }
    refused += taken == 0 ? 1 : 0;
  }
  if (!plat_dialog_ended(dialog, nullptr)) plat_dialog_user_click(dialog, PLAT_IDCANCEL);
  DialogRun& run = dialogRuns_[index];
  run.refusedActions = refused;
  CaptureInto(run, dialog);
  int32_t result = 0;
  if (plat_dialog_ended(dialog, &result) != 0) run.result = result;
}

int32_t ScriptedUi::AnswerFileDialog(int32_t save, PlatOpenFileName* request) {
  fileRequests_.push_back({save != 0, request->lStructSize, FilterPairs(request->lpstrFilter),
                           request->nFilterIndex, std::u16string(Utf16View(request->lpstrDefExt)),
                           BoundedText(request->lpstrFile, request->nMaxFile), request->nMaxFile});
  std::optional<std::u16string> answer;
  if (!fileAnswers_.empty()) {
    answer = std::move(fileAnswers_.front());
    fileAnswers_.pop_front();
  }
  if (!answer || request->lpstrFile == nullptr || request->nMaxFile == 0) return 0;
  CopyTerminated(*answer, request->lpstrFile, request->nMaxFile);
  return 1;
}

}  // namespace stamp::platform
