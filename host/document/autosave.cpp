#include "host/document/autosave.h"

#include <algorithm>

#include "host/document/autosave_folder.h"
#include "host/document/autosave_system.h"
#include "platform/portable/text_encoding.h"

namespace stamp::document {
namespace {

namespace fs = std::filesystem;

// Names tried for this window's autosave before it gives up: autosave-PID, autosave-PID-2, ...
constexpr int kNameAttempts = 100;

std::string NameFor(int attempt) {
  const std::string name = kAutosavePrefix + std::to_string(ProcessNumber());
  return attempt == 1 ? name : name + "-" + std::to_string(attempt);
}

}  // namespace

Autosave::Autosave(Writer write, DocumentView& view)
    : write_(std::move(write)), view_(view), lastSave_(view.Now()) {
  const std::optional<fs::path> folder = StateFolder();
  if (!folder) {
    problem_ = std::string("no folder for autosaves: ") + kNoStateFolder;
    return;
  }
  const host::Status taken = TakeLockIn(*folder);
  if (taken.ok()) return;
  const std::string refusal =
      "cannot keep autosaves in " + platform::PathToUtf8(*folder) + ": " + taken.error();
  const std::optional<fs::path> fallback = FallbackFolder();
  if (fallback && TakeLockIn(*fallback).ok()) {
    notice_ = "autosaves go to " + platform::PathToUtf8(*fallback) + ", as this window " + refusal;
    return;
  }
  problem_ = refusal;
}

host::Status Autosave::TakeLockIn(const fs::path& folder) {
  std::error_code code;
  fs::create_directories(folder, code);
  host::Failure last{"every name for an autosave is taken"};
  for (int attempt = 1; attempt <= kNameAttempts; ++attempt) {
    const fs::path path = folder / (NameFor(attempt) + kAutosaveExtension);
    if (fs::symlink_status(path, code).type() != fs::file_type::not_found) continue;
    host::Result<std::unique_ptr<HeldLock>> lock = TakeLock(LockOf(path));
    if (!lock.ok()) {
      last = host::Failure{lock.error()};
      continue;
    }
    lock_ = std::move(*lock);
    path_ = path;
    lockPath_ = LockOf(path);
    return {};
  }
  return last;
}

// The autosave itself stays unless Forget removed it: the next window offers to recover it.
Autosave::~Autosave() {
  if (!lock_) return;
  std::error_code code;
  fs::remove(lockPath_, code);
}

void Autosave::Changed() {
  ++waiting_;
  Schedule();
}

void Autosave::Schedule() {
  using std::chrono::duration_cast;
  using std::chrono::milliseconds;
  if (!lock_ || waiting_ == 0) return;
  const DocumentView::Clock::time_point now = view_.Now();
  const auto sinceLast = duration_cast<milliseconds>(now - lastSave_);
  const milliseconds delay = waiting_ >= kStrokesPerSave
                                 ? std::max(milliseconds{0}, kMinInterval - sinceLast)
                                 : kIdleDelay;
  if (due_ && *due_ <= now + delay) return;
  due_ = now + delay;
  view_.TickAfter(delay);
}

std::string Autosave::SaveNow() {
  due_.reset();
  view_.CancelTick();
  if (!lock_) return problem_;
  if (waiting_ == 0) return {};
  const std::string error = write_(path_);
  lastSave_ = view_.Now();
  if (!error.empty()) {
    view_.OnAutosaveFailed(error);
    Schedule();
    return error;
  }
  waiting_ = 0;
  view_.OnAutosaved(path_);
  return {};
}

void Autosave::Forget() {
  due_.reset();
  view_.CancelTick();
  waiting_ = 0;
  std::error_code code;
  if (lock_) fs::remove(path_, code);
}

}  // namespace stamp::document
