#include "host/gui/autosave.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "host/commands/command_line.h"
#include "host/gui/autosave_folder.h"
#include "host/gui/autosave_lock.h"

namespace stamp::gui {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr mode_t kPrivateFolderMode = 0700;
constexpr mode_t kOthersMode = 0077;

// Names tried for this window's autosave before it gives up: autosave-PID, autosave-PID-2, ...
constexpr int kNameAttempts = 100;

std::string NameFor(int attempt) {
  const std::string name = kAutosavePrefix + std::to_string(getpid());
  return attempt == 1 ? name : name + "-" + std::to_string(attempt);
}

std::optional<fs::path> FallbackPath() {
  std::error_code code;
  const fs::path temporary = fs::temp_directory_path(code);
  if (code) return std::nullopt;
  return temporary / ("stamp-host-" + std::to_string(geteuid()));
}

// A real folder (not a link) of this user's that nobody else may enter.
bool IsPrivateFolder(const fs::path& folder) {
  struct stat status {};
  return ::lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
         status.st_uid == geteuid() && (status.st_mode & kOthersMode) == 0;
}

}  // namespace

std::optional<fs::path> FallbackFolder() {
  const std::optional<fs::path> folder = FallbackPath();
  if (!folder) return std::nullopt;
  ::mkdir(folder->c_str(), kPrivateFolderMode);
  return IsPrivateFolder(*folder) ? folder : std::nullopt;
}

std::vector<fs::path> AutosaveFolders() {
  std::vector<fs::path> folders;
  if (const std::optional<fs::path> state = host::HostUserFolder(host::UserFolder::kState))
    folders.push_back(*state);
  if (const std::optional<fs::path> fallback = FallbackPath();
      fallback && IsPrivateFolder(*fallback)) {
    folders.push_back(*fallback);
  }
  return folders;
}

Autosave::Autosave(std::function<std::string(const fs::path&)> write, QObject* parent)
    : QObject(parent), write_(std::move(write)), lastSave_(Clock::now()) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, [this] { SaveNow(); });
  const std::optional<fs::path> folder = host::HostUserFolder(host::UserFolder::kState);
  if (!folder) {
    problem_ = "no folder for autosaves: HOME and XDG_STATE_HOME are unset";
    return;
  }
  std::string why;
  if (TakeLockIn(*folder, why)) return;
  const std::string refusal = "cannot keep autosaves in " + folder->string() + ": " + why;
  const std::optional<fs::path> fallback = FallbackFolder();
  if (fallback && TakeLockIn(*fallback, why)) {
    notice_ = "autosaves go to " + fallback->string() + ", as this window " + refusal;
    return;
  }
  problem_ = refusal;
}

bool Autosave::TakeLockIn(const fs::path& folder, std::string& why) {
  std::error_code code;
  fs::create_directories(folder, code);
  for (int attempt = 1; attempt <= kNameAttempts; ++attempt) {
    const fs::path path = folder / (NameFor(attempt) + kAutosaveExtension);
    if (fs::symlink_status(path, code).type() != fs::file_type::not_found) continue;
    lock_ = TakeLock(LockOf(path), why);
    if (lock_ < 0) continue;
    path_ = path;
    lockPath_ = LockOf(path);
    return true;
  }
  return false;
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
