// The user a script stands for. The script's dialog lines queue what the user does in the next
// load dialog (select a list entry, type into a box, press a button) and answers the file picker
// with a path or a cancel; every message box is answered with OK and its text kept, in order,
// for the log and for "expect message". A dialog whose queue runs dry is cancelled, as is a
// picker with no answer queued.
//
// On Linux the platform's scripted UI back end does this (script_user_posix.cpp). On Windows the
// message boxes, the load dialog and the picker are the system's real windows: a watcher finds
// each as it opens and acts on its controls as a user would, so the dialog's own code runs
// unchanged (script_user_win32.cpp). One ScriptUser at a time answers; it stops when destroyed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/session/session_ui.h"

namespace stamp::host {

class ScriptUser final : public SessionUi {
 public:
  ScriptUser();
  ~ScriptUser();
  ScriptUser(const ScriptUser&) = delete;
  ScriptUser& operator=(const ScriptUser&) = delete;

  void QueueSelect(int32_t listId, int32_t index);
  void QueueType(int32_t editId, std::u16string text);
  void QueueClick(int32_t controlId);
  void QueueOk();
  void QueueCancel();
  // The next file picker chooses path (the system's form) or is cancelled.
  void QueueFileAnswer(std::u16string path);
  void QueueFileCancel();

  // Every message box's text so far, oldest first.
  const std::vector<std::u16string>& messages() const override;

 private:
  struct Answers;
  std::unique_ptr<Answers> answers_;
};

}  // namespace stamp::host
