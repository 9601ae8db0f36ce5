// The Windows host's own answer to the tool's load dialog, as a user gives it: while it lives,
// the next load dialog that opens has path typed into its path box and OK pressed. Every other
// dialog (the tool's message boxes, among them its "Stamp file open error") goes to the script's
// user answering before it, or stays for the person at the screen. It is one of the watchers of
// script_user_win32.cpp, which answer the system's real dialogs.
#pragma once

#include <memory>
#include <string>

namespace stamp::host {

class LoadDialogAnswer {
 public:
  // Throws std::runtime_error when the dialogs cannot be watched.
  explicit LoadDialogAnswer(std::u16string path);
  ~LoadDialogAnswer();
  LoadDialogAnswer(const LoadDialogAnswer&) = delete;
  LoadDialogAnswer& operator=(const LoadDialogAnswer&) = delete;

 private:
  struct Watch;
  std::unique_ptr<Watch> watch_;
};

}  // namespace stamp::host
