// Autosave of the window's work to the user's state folder (stamp-host/ in an absolute
// $XDG_STATE_HOME, else ~/.local/state/stamp-host/): every kStrokesPerSave changes, but never
// sooner than kMinInterval after the last save, and after kIdleDelay when fewer changes are
// waiting. Each
// running window writes autosave-PID.ora (atomically, through the writer it is given) and holds
// a lock on autosave-PID.lock while it runs (autosave_lock.h); when a window that ended earlier
// under the same process id left its autosave there, the name takes a number (autosave-PID-2),
// so that file stays for the next window to offer (autosave_folder.h). When the state folder
// cannot take them (read-only, say), autosaves go to the fallback folder, and notice() says so.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QObject>
#include <QTimer>

namespace stamp::gui {

// The folder autosaves go to when the state folder cannot take them: stamp-host-UID in the
// system's temporary folder ($TMPDIR, else /tmp), created private. nullopt unless it is a real
// folder of this user's that nobody else may enter (a link or another's folder is never used).
std::optional<std::filesystem::path> FallbackFolder();
// The folders a window looks in for drawings left: the state folder and the fallback folder.
std::vector<std::filesystem::path> AutosaveFolders();

class Autosave : public QObject {
  Q_OBJECT

 public:
  static constexpr int kStrokesPerSave = 5;
  static constexpr std::chrono::milliseconds kMinInterval{3000};
  static constexpr std::chrono::milliseconds kIdleDelay{10000};

  // write writes the work to the path it is given and gives "" or why not. Without a state folder
  // (or when no lock can be taken in it, as in a read-only folder) nothing is ever written and
  // problem() says why.
  Autosave(std::function<std::string(const std::filesystem::path&)> write, QObject* parent);
  // Releases the lock; an autosave not forgotten stays, for the next window to offer.
  ~Autosave() override;

  // The work changed: schedules a save by the rules above.
  void Changed();
  // Writes the work now if anything is waiting; "" or why not.
  std::string SaveNow();
  // The work was saved or discarded: nothing is waiting and the autosave file goes.
  void Forget();

  const std::string& problem() const { return problem_; }
  // "" or why autosaves go to the fallback folder.
  const std::string& notice() const { return notice_; }
  const std::filesystem::path& path() const { return path_; }

 signals:
  void Written(const QString& path);
  void Failed(const QString& reason);

 private:
  void Schedule();
  // Takes a lock in folder under the first free name; why says what failed when none could be.
  bool TakeLockIn(const std::filesystem::path& folder, std::string& why);

  std::function<std::string(const std::filesystem::path&)> write_;
  std::filesystem::path path_;
  std::filesystem::path lockPath_;
  int lock_ = -1;
  std::string problem_;
  std::string notice_;
  int waiting_ = 0;
  std::chrono::steady_clock::time_point lastSave_;
  QTimer timer_;
};

}  // namespace stamp::gui
