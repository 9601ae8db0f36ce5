// Autosave of the window's work to the user's state folder ($XDG_STATE_HOME/stamp-host/, else
// ~/.local/state/stamp-host/): every kStrokesPerSave changes, but never sooner than
// kMinInterval after the last save, and after kIdleDelay when fewer changes are waiting. Each
// running window writes autosave-PID.ora (atomically, through the writer it is given) and holds
// a lock on autosave-PID.lock while it runs (autosave_lock.h); when a window that ended earlier
// under the same process id left its autosave there, the name takes a number (autosave-PID-2),
// so that file stays for the next window to offer (autosave_folder.h).
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include <QObject>
#include <QTimer>

namespace stamp::gui {

// The state folder, or nullopt when neither XDG_STATE_HOME nor HOME is set.
std::optional<std::filesystem::path> StateFolder();

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
  const std::filesystem::path& path() const { return path_; }

 signals:
  void Written(const QString& path);
  void Failed(const QString& reason);

 private:
  void Schedule();

  std::function<std::string(const std::filesystem::path&)> write_;
  std::filesystem::path path_;
  std::filesystem::path lockPath_;
  int lock_ = -1;
  std::string problem_;
  int waiting_ = 0;
  std::chrono::steady_clock::time_point lastSave_;
  QTimer timer_;
};

}  // namespace stamp::gui
