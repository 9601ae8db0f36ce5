// The script's user on Windows. A hook on this thread's window procedures sees every dialog
// (message boxes, the load dialog, the file picker are all dialogs) return from WM_INITDIALOG,
// when its controls exist, and starts a timer on it; the timer fires inside the dialog's own
// modal loop, where the user acts: one action per tick, so the dialog's code answers each before
// the next. Buttons are pressed with BM_CLICK, as a mouse click presses them; a list entry is
// selected and the list's selection notice sent, as a click on the entry sends it; text is set
// into the box, which tells the dialog as typing does.
//
// The newest watcher answers. One that answers the load dialog alone (LoadDialogAnswer) hands
// every other dialog to the watcher before it, or leaves it to the person at the screen; when
// it goes, the one before answers again.
#include <windows.h>

#include <deque>
#include <optional>
#include <stdexcept>
#include <utility>

#include "host/session/load_dialog_answer_win32.h"
#include "host/session/script_user.h"
#include "stamp/plugin.h"

namespace stamp::host {
namespace {

constexpr UINT_PTR kAnswerTimer = 0x5354;  // a timer id of the user's own on each dialog
constexpr UINT kAnswerDelayMs = USER_TIMER_MINIMUM;
// The text of a message box, and the file name box of the system's file picker (a combo box in
// the explorer-style picker, an edit box in the older one).
constexpr int kMessageTextId = 0xFFFF;
constexpr int kPickerNameCombo = 0x047C;
constexpr int kPickerNameEdit = 0x0480;

std::u16string WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  return std::u16string(text.begin(), text.begin() + length);
}

// OK and Cancel stand for the Enter and Escape keys, so they reach a dialog without a button.
void Press(HWND dialog, int controlId) {
  if (HWND button = GetDlgItem(dialog, controlId); button != nullptr) {
    SendMessageW(button, BM_CLICK, 0, 0);
  } else if (controlId == IDOK || controlId == IDCANCEL) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED), 0);
  }
}

// Which dialogs a watcher answers.
enum class Reach { kEveryDialog, kLoadDialogOnly };

class DialogWatcher {
 public:
  struct Action {
    enum class Kind { kSelect, kType, kClick } kind;
    int32_t controlId;
    int32_t index;
    std::u16string text;
  };

  // Watches this thread's dialogs from now on, answering in place of the watcher before.
  explicit DialogWatcher(Reach reach);
  ~DialogWatcher();
  DialogWatcher(const DialogWatcher&) = delete;
  DialogWatcher& operator=(const DialogWatcher&) = delete;

  std::deque<Action> dialogActions;
  std::deque<std::optional<std::u16string>> fileAnswers;  // nullopt: cancel
  std::vector<std::u16string> messages;

 private:
  // The watcher answering now; the hook and the timer procedure reach it here.
  static DialogWatcher* active;

  static LRESULT CALLBACK OnWindowProcedureReturn(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK OnTimer(HWND window, UINT, UINT_PTR timer, DWORD);

  void Answer(HWND dialog);
  void ActInLoadDialog(HWND dialog);
  bool Take(HWND dialog, const Action& action);
  void AnswerPicker(HWND picker, HWND nameBox);

  Reach reach_;
  DialogWatcher* before_;
  HHOOK hook_ = nullptr;
};

DialogWatcher* DialogWatcher::active = nullptr;

DialogWatcher::DialogWatcher(Reach reach) : reach_(reach), before_(active) {
  hook_ =
      SetWindowsHookExW(WH_CALLWNDPROCRET, OnWindowProcedureReturn, nullptr, GetCurrentThreadId());
  if (hook_ == nullptr) throw std::runtime_error("cannot watch for the plug-in's dialogs");
  active = this;
}

DialogWatcher::~DialogWatcher() {
  UnhookWindowsHookEx(hook_);
  if (active == this) active = before_;
}

LRESULT CALLBACK DialogWatcher::OnWindowProcedureReturn(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_INITDIALOG) {
    SetTimer(call->hwnd, kAnswerTimer, kAnswerDelayMs, OnTimer);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK DialogWatcher::OnTimer(HWND window, UINT, UINT_PTR timer, DWORD) {
  KillTimer(window, timer);
  if (active != nullptr && IsWindow(window)) active->Answer(window);
}

// A dialog inside another (the picker's parts) is left to its parent.
void DialogWatcher::Answer(HWND dialog) {
  if ((GetWindowLongW(dialog, GWL_STYLE) & WS_CHILD) != 0) return;
  if (GetDlgItem(dialog, STAMP_LOAD_DIALOG_LIST) != nullptr) return ActInLoadDialog(dialog);
  if (reach_ == Reach::kLoadDialogOnly) {
    if (before_ != nullptr) before_->Answer(dialog);
    return;
  }
  for (const int nameId : {kPickerNameCombo, kPickerNameEdit}) {
    if (HWND nameBox = GetDlgItem(dialog, nameId); nameBox != nullptr) {
      return AnswerPicker(dialog, nameBox);
    }
  }
  if (HWND text = GetDlgItem(dialog, kMessageTextId); text != nullptr) {
    messages.push_back(WindowText(text));
    return Press(dialog, IDOK);
  }
  Press(dialog, IDCANCEL);  // a window no script line answers
}

// The next queued action, then the timer again while the dialog stays open; with nothing left
// to do the user cancels. An action the dialog cannot take (no such control or entry) is skipped.
void DialogWatcher::ActInLoadDialog(HWND dialog) {
  while (!dialogActions.empty()) {
    const Action action = std::move(dialogActions.front());
    dialogActions.pop_front();
    if (Take(dialog, action)) {
      if (IsWindow(dialog)) SetTimer(dialog, kAnswerTimer, kAnswerDelayMs, OnTimer);
      return;
    }
  }
  Press(dialog, IDCANCEL);
}

bool DialogWatcher::Take(HWND dialog, const Action& action) {
  HWND control = GetDlgItem(dialog, action.controlId);
  switch (action.kind) {
    case Action::Kind::kSelect:
      if (control == nullptr || SendMessageW(control, LB_SETCURSEL, action.index, 0) == LB_ERR) {
        return false;
      }
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(action.controlId, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(control));
      return true;
    case Action::Kind::kType:
      return control != nullptr &&
             SetWindowTextW(control, reinterpret_cast<const wchar_t*>(action.text.c_str()));
    case Action::Kind::kClick:
      if (control == nullptr && action.controlId != IDOK && action.controlId != IDCANCEL) {
        return false;
      }
      Press(dialog, action.controlId);
      return true;
  }
  return false;
}

void DialogWatcher::AnswerPicker(HWND picker, HWND nameBox) {
  std::optional<std::u16string> answer;
  if (!fileAnswers.empty()) {
    answer = std::move(fileAnswers.front());
    fileAnswers.pop_front();
  }
  if (!answer) return Press(picker, IDCANCEL);
  SetWindowTextW(nameBox, reinterpret_cast<const wchar_t*>(answer->c_str()));
  Press(picker, IDOK);
}

}  // namespace

struct ScriptUser::Answers : DialogWatcher {
  Answers() : DialogWatcher(Reach::kEveryDialog) {}
};

ScriptUser::ScriptUser() : answers_(std::make_unique<Answers>()) {}

ScriptUser::~ScriptUser() = default;

void ScriptUser::QueueSelect(int32_t listId, int32_t index) {
  answers_->dialogActions.push_back({DialogWatcher::Action::Kind::kSelect, listId, index, {}});
}

void ScriptUser::QueueType(int32_t editId, std::u16string text) {
  answers_->dialogActions.push_back(
      {DialogWatcher::Action::Kind::kType, editId, 0, std::move(text)});
}

void ScriptUser::QueueClick(int32_t controlId) {
  answers_->dialogActions.push_back({DialogWatcher::Action::Kind::kClick, controlId, 0, {}});
}

void ScriptUser::QueueOk() { QueueClick(IDOK); }
void ScriptUser::QueueCancel() { QueueClick(IDCANCEL); }

void ScriptUser::QueueFileAnswer(std::u16string path) {
  answers_->fileAnswers.emplace_back(std::move(path));
}

void ScriptUser::QueueFileCancel() { answers_->fileAnswers.emplace_back(std::nullopt); }

const std::vector<std::u16string>& ScriptUser::messages() const { return answers_->messages; }

struct LoadDialogAnswer::Watch : DialogWatcher {
  Watch() : DialogWatcher(Reach::kLoadDialogOnly) {}
};

LoadDialogAnswer::LoadDialogAnswer(std::u16string path) : watch_(std::make_unique<Watch>()) {
  watch_->dialogActions.push_back(
      {DialogWatcher::Action::Kind::kType, STAMP_LOAD_DIALOG_PATH_BOX, 0, std::move(path)});
  watch_->dialogActions.push_back({DialogWatcher::Action::Kind::kClick, IDOK, 0, {}});
}

LoadDialogAnswer::~LoadDialogAnswer() = default;

}  // namespace stamp::host
