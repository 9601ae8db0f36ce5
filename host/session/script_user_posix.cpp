// The script's user on Linux: the platform's scripted UI back end, installed for the user's life.
#include "host/session/script_user.h"
#include "platform/scripted_ui/scripted_ui.h"

namespace stamp::host {

struct ScriptUser::Answers {
  platform::ScriptedUi ui;
};

ScriptUser::ScriptUser() : answers_(std::make_unique<Answers>()) { answers_->ui.Install(); }

ScriptUser::~ScriptUser() = default;

void ScriptUser::QueueSelect(int32_t listId, int32_t index) {
  answers_->ui.QueueSelect(listId, index);
}

void ScriptUser::QueueType(int32_t editId, std::u16string text) {
  answers_->ui.QueueType(editId, std::move(text));
}

void ScriptUser::QueueClick(int32_t controlId) { answers_->ui.QueueClick(controlId); }
void ScriptUser::QueueOk() { answers_->ui.QueueOk(); }
void ScriptUser::QueueCancel() { answers_->ui.QueueCancel(); }

void ScriptUser::QueueFileAnswer(std::u16string path) {
  answers_->ui.QueueFileAnswer(std::move(path));
}

void ScriptUser::QueueFileCancel() { answers_->ui.QueueFileCancel(); }

const std::vector<std::u16string>& ScriptUser::messages() const { return answers_->ui.messages(); }

}  // namespace stamp::host
