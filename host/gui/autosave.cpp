#include "host/gui/autosave.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace stamp::gui {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr char kPrefix[] = "autosave-";
constexpr char kLockExtension[] = ".lock";
constexpr char kWorkExtension[] = ".ora";

// The lock file's descriptor, locked for this process; -1 when it cannot be locked.
int TakeLock(const fs::path& path) {
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
  if (fd >= 0) close(fd);
  return -1;
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

std::vector<fs::path> LeftAutosaves(const fs::path& folder) {
  std::vector<fs::path> left;
  std::error_code code;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, code)) {
    const fs::path& path = entry.path();
    if (path.extension() != kWorkExtension || !path.filename().string().starts_with(kPrefix)) {
      continue;
    }
    const int lock = TakeLock(fs::path(path).replace_extension(kLockExtension));
    if (lock < 0) continue;  // its window still runs
    close(lock);
    left.push_back(path);
  }
  std::sort(left.begin(), left.end(), [](const fs::path& a, const fs::path& b) {
    std::error_code ignored;
    return fs::last_write_time(a, ignored) > fs::last_write_time(b, ignored);
  });
  return left;
}

void RemoveLeftAutosave(const fs::path& autosave) {
  std::error_code code;
  fs::remove(autosave, code);
  fs::remove(fs::path(autosave).replace_extension(kLockExtension), code);
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
  const std::string name = kPrefix + std::to_string(getpid());
  lockPath_ = *folder / (name + kLockExtension);
  lock_ = TakeLock(lockPath_);
  if (lock_ < 0) {
    problem_ = "cannot keep autosaves in " + folder->string();
    return;
  }
  path_ = *folder / (name + kWorkExtension);
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
