// A UI back end that acts from scripts and records what it was asked: for tests and batch runs.
//
//  - Message boxes, full-screen and window-position requests are recorded, in order.
//  - System metrics answer a configurable screen size (240 x 320 unless set).
//  - File dialogs take the next queued answer: a path, copied into lpstrFile cut to
//    nMaxFile - 1 units, or a cancel. An empty queue cancels. Each request is recorded.
//  - A modal dialog takes queued actions (select, type, click) until its code ends it; when
//    the queue runs dry first, the dialog is cancelled (a click on IDCANCEL). What the dialog
//    showed at its end (texts, list entries, selections) is recorded with its result.
// Install makes it the platform's back end; the destructor uninstalls it if it still is. It
// speaks to the platform only through platform.h, so a host or a test links it on its own.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "stamp/platform.h"

namespace stamp::platform {

class ScriptedUi {
 public:
  struct FullScreenCall {
    PlatHandle window;
    uint32_t flags;
    bool operator==(const FullScreenCall&) const = default;
  };
  struct WindowPosCall {
    PlatHandle window;
    PlatHandle insertAfter;
    int32_t x, y, width, height;
    uint32_t flags;
    bool operator==(const WindowPosCall&) const = default;
  };
  struct FileDialogRequest {
    bool save = false;
    uint32_t structSize = 0;
    std::vector<std::pair<std::u16string, std::u16string>> filters;  // description, pattern
    uint32_t filterIndex = 0;
    std::u16string defaultExtension;
    std::u16string initialFile;
    uint32_t maxFile = 0;
  };
  struct DialogRun {
    int32_t resourceId = 0;
    PlatHandle window = 0;
    std::map<int32_t, std::u16string> texts;  // every control, by id
    std::map<int32_t, std::vector<std::u16string>> lists;
    std::map<int32_t, int32_t> selections;
    std::optional<int32_t> result;  // empty when the dialog's code never ended it
    int32_t refusedActions = 0;     // actions the dialog could not take (no such entry, ...)
  };

  ScriptedUi() = default;
  ~ScriptedUi();
  ScriptedUi(const ScriptedUi&) = delete;
  ScriptedUi& operator=(const ScriptedUi&) = delete;

  void Install();
  void Uninstall();

  void SetScreenSize(int32_t width, int32_t height);
  void QueueFileAnswer(std::u16string path);
  void QueueFileCancel();
  void QueueSelect(int32_t listId, int32_t index);
  void QueueType(int32_t editId, std::u16string text);
  void QueueClick(int32_t controlId);
  void QueueOk() { QueueClick(PLAT_IDOK); }
  void QueueCancel() { QueueClick(PLAT_IDCANCEL); }

  const std::vector<std::u16string>& messages() const { return messages_; }
  const std::vector<FullScreenCall>& fullScreenCalls() const { return fullScreenCalls_; }
  const std::vector<WindowPosCall>& windowPosCalls() const { return windowPosCalls_; }
  const std::vector<FileDialogRequest>& fileDialogRequests() const { return fileRequests_; }
  const std::vector<DialogRun>& dialogRuns() const { return dialogRuns_; }

 private:
  struct DialogAction {
    enum class Kind { Select, Type, Click } kind;
    int32_t controlId;
    int32_t index;
    std::u16string text;
  };

  static void OnMessageBox(void* user, const char16_t* text);
  static void OnRunDialog(void* user, PlatDialog* dialog);
  static int32_t OnFileDialog(void* user, int32_t save, PlatOpenFileName* request);
  static void OnFullScreen(void* user, PlatHandle window, uint32_t flags);
  static void OnWindowPos(void* user, PlatHandle window, PlatHandle insertAfter, int32_t x,
                          int32_t y, int32_t width, int32_t height, uint32_t flags);
  static int32_t OnSystemMetric(void* user, int32_t index);

  void RunDialog(PlatDialog* dialog);
  int32_t AnswerFileDialog(int32_t save, PlatOpenFileName* request);

  int32_t screenWidth_ = 240;
  int32_t screenHeight_ = 320;
  std::deque<std::optional<std::u16string>> fileAnswers_;  // nullopt: cancel
  std::deque<DialogAction> dialogActions_;
  std::vector<std::u16string> messages_;
  std::vector<FullScreenCall> fullScreenCalls_;
  std::vector<WindowPosCall> windowPosCalls_;
  std::vector<FileDialogRequest> fileRequests_;
  std::vector<DialogRun> dialogRuns_;
};

}  // namespace stamp::platform
