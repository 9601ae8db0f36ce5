// Autosave of the drawing to the user's state folder (autosave_system.h: stamp-host/ in an
// absolute $XDG_STATE_HOME, else ~/.local/state/stamp-host/; on Windows
// %LOCALAPPDATA%\stamp-host): every kStrokesPerSave changes, but never sooner than kMinInterval
// after the last save, and after kIdleDelay when fewer changes are waiting. The window's clock
// and timer say when (document_view.h): the autosave asks for a tick and saves when it comes.
// Each running window writes autosave-PID.ora (atomically, through the writer it is given) and
// holds a lock on autosave-PID.lock while it runs (autosave_lock.h); when a window that ended
// earlier under the same process id left its autosave there, the name takes a number
// (autosave-PID-2), so that file stays for the next window to offer (autosave_folder.h). When the
// state folder cannot take them (read-only, say), autosaves go to the fallback folder, and
// notice() says so.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "host/document/autosave_lock.h"
#include "host/document/document_view.h"

namespace stamp::document {

class Autosave {
 public:
  static constexpr int kStrokesPerSave = 5;
  static constexpr std::chrono::milliseconds kMinInterval{3000};
  static constexpr std::chrono::milliseconds kIdleDelay{10000};

  using Writer = std::function<std::string(const std::filesystem::path&)>;

  // write writes the drawing to the path it is given and gives "" or why not. Without a state
  // folder (or when no lock can be taken in it, as in a read-only folder) nothing is ever written
  // and problem() says why. view keeps the clock and the timer and hears of each write.
  Autosave(Writer write, DocumentView& view);
  // Releases the lock; an autosave not forgotten stays, for the next window to offer.
  ~Autosave();
  Autosave(const Autosave&) = delete;
  Autosave& operator=(const Autosave&) = delete;

  // The drawing changed: schedules a save by the rules above.
  void Changed();
  // Writes the drawing now if anything is waiting; "" or why not. The view's tick calls it.
  std::string SaveNow();
  // The drawing was saved or discarded: nothing is waiting and the autosave file goes.
  void Forget();

  const std::string& problem() const { return problem_; }
  // "" or why autosaves go to the fallback folder.
  const std::string& notice() const { return notice_; }
  const std::filesystem::path& path() const { return path_; }

 private:
  void Schedule();
  // Takes a lock in folder under the first free name; why says what failed when none could be.
  host::Status TakeLockIn(const std::filesystem::path& folder);

  Writer write_;
  DocumentView& view_;
  std::filesystem::path path_;
  std::filesystem::path lockPath_;
  std::unique_ptr<HeldLock> lock_;
  std::string problem_;
  std::string notice_;
  int waiting_ = 0;
  DocumentView::Clock::time_point lastSave_;
  std::optional<DocumentView::Clock::time_point> due_;  // when the tick asked for is to come
};

}  // namespace stamp::document
