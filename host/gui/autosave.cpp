#include "host/gui/autosave.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "host/gui/autosave_folder.h"
#include "host/gui/autosave_lock.h"

namespace stamp::gui {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Names tried for this window's autosave before it gives up: autosave-PID, autosave-PID-2, ...
constexpr int kNameAttempts = 100;

std::string NameFor(int attempt) {
  const std::string name = kAutosavePrefix + std::to_string(getpid());
  return attempt == 1 ? name : name + "-" + std::to_string(attempt);
}

}  // namespace

std::optional<fs::path> StateFolder() {
  if (const char* state = std::getenv("XDG_STATE_HOME"); state != nullptr && *state == '/') {
    return fs::path(state) / "stamp-host";
  }
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    return fs::path(home) / ".local" / "state" / "stamp-host";
  }
  return std::nullopt;
}

Autosave::Autosave(std::function<std::string(const fs::path&)> write, QObject* parent)
    : QObject(parent), write_(std::move(write)), lastSave_(Clock::now()) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, [this] { SaveNow(); });
  const std::optional<fs::path> folder = StateFolder();
  if (!folder) {
    problem_ = "no folder for autosaves: HOME and XDG_STATE_HOME are unset";
    return;
  }
  std::error_code code;
  fs::create_directories(*folder, code);
  std::string why;
  for (int attempt = 1; attempt <= kNameAttempts && lock_ < 0; ++attempt) {
    const fs::path path = *folder / (NameFor(attempt) + kAutosaveExtension);
    if (fs::symlink_status(path, code).type() != fs::file_type::not_found) continue;
    lock_ = TakeLock(LockOf(path), why);
    if (lock_ >= 0) path_ = path;
  }
  if (lock_ < 0) {
    problem_ = "cannot keep autosaves in " + folder->string() + ": " + why;
    return;
  }
  lockPath_ = LockOf(path_);
}

// The autosave itself stays unless Forget removed it: the next window offers to recover it.
Autosave::~Autosave() {
  if (lock_ < 0) return;
  std::error_code code;
  fs::remove(lockPath_, code);
  close(lock_);
}

void Autosave::Changed() {
  ++waiting_;
  Schedule();
}

void Autosave::Schedule() {
  using std::chrono::duration_cast;
  using std::chrono::milliseconds;
  if (lock_ < 0 || waiting_ == 0) return;
  const auto sinceLast = duration_cast<milliseconds>(Clock::now() - lastSave_);
  const milliseconds delay = waiting_ >= kStrokesPerSave
                                 ? std::max(milliseconds{0}, kMinInterval - sinceLast)
                                 : kIdleDelay;
  if (!timer_.isActive() || milliseconds{timer_.remainingTime()} > delay) timer_.start(delay);
}

std::string Autosave::SaveNow() {
  timer_.stop();
  if (lock_ < 0) return problem_;
  if (waiting_ == 0) return {};
  const std::string error = write_(path_);
  lastSave_ = Clock::now();
  if (!error.empty()) {
    emit Failed(QString::fromStdString(error));
    Schedule();
    return error;
  }
  waiting_ = 0;
  emit Written(QString::fromStdString(path_.string()));
  return {};
}

void Autosave::Forget() {
  timer_.stop();
  waiting_ = 0;
  std::error_code code;
  if (lock_ >= 0) fs::remove(path_, code);
}

}  // namespace stamp::gui
