#include "platform/scripted_ui/scripted_ui.h"

#include "platform/portable/text_encoding.h"
#include "stamp/platform_host.h"

namespace stamp::platform {

ScriptedUi::~ScriptedUi() {
  PlatUiBackend installed{};
  plat_ui_get_backend(&installed);
  if (installed.user == this) Uninstall();
}

void ScriptedUi::Install() {
  const PlatUiBackend backend{this,          &OnMessageBox, &OnRunDialog,   &OnFileDialog,
                              &OnFullScreen, &OnWindowPos,  &OnSystemMetric};
  plat_ui_set_backend(&backend);
}

void ScriptedUi::Uninstall() { plat_ui_set_backend(nullptr); }

void ScriptedUi::SetScreenSize(int32_t width, int32_t height) {
  screenWidth_ = width;
  screenHeight_ = height;
}

void ScriptedUi::QueueFileAnswer(std::u16string path) {
  fileAnswers_.emplace_back(std::move(path));
}

void ScriptedUi::QueueFileCancel() { fileAnswers_.emplace_back(std::nullopt); }

void ScriptedUi::QueueSelect(int32_t listId, int32_t index) {
  dialogActions_.push_back({DialogAction::Kind::Select, listId, index, {}});
}

void ScriptedUi::QueueType(int32_t editId, std::u16string text) {
  dialogActions_.push_back({DialogAction::Kind::Type, editId, 0, std::move(text)});
}

void ScriptedUi::QueueClick(int32_t controlId) {
  dialogActions_.push_back({DialogAction::Kind::Click, controlId, 0, {}});
}

void ScriptedUi::OnMessageBox(void* user, const char16_t* text) {
  static_cast<ScriptedUi*>(user)->messages_.emplace_back(Utf16View(text));
}

void ScriptedUi::OnRunDialog(void* user, PlatDialog* dialog) {
  static_cast<ScriptedUi*>(user)->RunDialog(dialog);
}

int32_t ScriptedUi::OnFileDialog(void* user, int32_t save, PlatOpenFileName* request) {
  return static_cast<ScriptedUi*>(user)->AnswerFileDialog(save, request);
}

void ScriptedUi::OnFullScreen(void* user, PlatHandle window, uint32_t flags) {
  static_cast<ScriptedUi*>(user)->fullScreenCalls_.push_back({window, flags});
}

void ScriptedUi::OnWindowPos(void* user, PlatHandle window, PlatHandle insertAfter, int32_t x,
                             int32_t y, int32_t width, int32_t height, uint32_t flags) {
  static_cast<ScriptedUi*>(user)->windowPosCalls_.push_back(
      {window, insertAfter, x, y, width, height, flags});
}

int32_t ScriptedUi::OnSystemMetric(void* user, int32_t index) {
  const auto* ui = static_cast<const ScriptedUi*>(user);
  switch (index) {
    case PLAT_SM_CXSCREEN: return ui->screenWidth_;
    case PLAT_SM_CYSCREEN: return ui->screenHeight_;
    default: return 0;
  }
}

}  // namespace stamp::platform
