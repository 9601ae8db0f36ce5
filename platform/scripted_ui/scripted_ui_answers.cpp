// The scripted back end's answers to dialogs: the modal dialog driven from the action queue,
// and the file dialog answered from the answer queue.
#include "platform/ui/dialog.h"
#include "platform/scripted_ui/scripted_ui.h"
#include "platform/text/text_encoding.h"

namespace stamp::platform {
namespace {

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

void CaptureInto(ScriptedUi::DialogRun& run, const PlatDialog& dialog) {
  for (const PlatDialog::Control& control : dialog.controls) {
    run.texts.emplace(control.id, control.text);
    if (control.kind != PLAT_CONTROL_LIST_BOX) continue;
    run.lists.emplace(control.id, control.entries);
    run.selections.emplace(control.id, control.selection);
  }
}

}  // namespace

void ScriptedUi::RunDialog(PlatDialog* dialog) {
  const size_t index = dialogRuns_.size();
  dialogRuns_.emplace_back().resourceId = dialog->dialogTemplate.resourceId;
  dialogRuns_.back().window = dialog->window;
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
  CaptureInto(run, *dialog);
  run.result = dialog->result;
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
