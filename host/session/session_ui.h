// The user a session's plug-in speaks to through its message boxes and dialogs: the UI back end
// (or, on Windows, the watcher of the system's own dialogs) that the session's caller makes,
// installs, and keeps alive for as long as the session. After each export call the session logs
// the message boxes the user kept as text, as "message: TEXT" lines.
#pragma once

#include <string>
#include <vector>

namespace stamp::host {

class SessionUi {
 public:
  // The text of every message box kept so far, oldest first; the list only grows.
  virtual const std::vector<std::u16string>& messages() const = 0;

 protected:
  ~SessionUi() = default;
};

}  // namespace stamp::host
