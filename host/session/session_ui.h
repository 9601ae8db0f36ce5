// The user a session's plug-in speaks to through its message boxes and dialogs: the UI back end
// (or, on Windows, the watcher of the system's own dialogs) that the session's caller makes,
// installs, and keeps alive for as long as the session. After each export call the session logs
// the message boxes the user kept as text, as "message: TEXT" lines. A window's user also keeps
// how each load dialog ended, which is all a recording of the window's steps needs of it: the
// tool takes the path box's text on OK, however the user filled it (a list entry, the picker,
// typing).
#pragma once

#include <string>
#include <vector>

namespace stamp::host {

// How a load dialog ended: OK with the text its path box held, or Cancel.
struct DialogEnd {
  bool ok = false;
  std::u16string path;
};

class SessionUi {
 public:
  // The text of every message box kept so far, oldest first; the list only grows.
  virtual const std::vector<std::u16string>& messages() const = 0;
  // How every load dialog so far ended, oldest first; the list only grows. A user who does not
  // watch its dialogs (a script's, which is told what to do) keeps none.
  virtual const std::vector<DialogEnd>& dialogEnds() const {
    static const std::vector<DialogEnd> kNone;
    return kNone;
  }

 protected:
  ~SessionUi() = default;
};

}  // namespace stamp::host
