// The lock each running window holds on its autosave-NAME.lock in the state folder: on Linux an
// advisory lock (flock), on Windows a byte-range lock (LockFileEx), on a regular file opened
// without following links, so that a link planted in the lock's place never creates or opens a
// file elsewhere. A lock nobody holds means its window has ended.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "host/result.h"

namespace stamp::document {

enum class LockState {
  kFree,  // absent, or a regular file nobody holds: its window no longer runs
  kHeld,  // a running window holds it
};

// Whether the lock at path is held, without creating it or taking it for long; a failure says
// why it cannot be used as a lock (a link, a folder or another kind of file, or it cannot be
// opened).
host::Result<LockState> ProbeLock(const std::filesystem::path& path);

// A lock this process holds; it is released when the object goes.
class HeldLock {
 public:
  explicit HeldLock(intptr_t handle) : handle_(handle) {}
  ~HeldLock();
  HeldLock(const HeldLock&) = delete;
  HeldLock& operator=(const HeldLock&) = delete;

 private:
  intptr_t handle_;  // the system's descriptor or handle of the open lock file
};

// Creates (or opens) the lock at path and takes it for this process, or says why it cannot (a
// planted link or folder, a read-only folder, held by another window).
host::Result<std::unique_ptr<HeldLock>> TakeLock(const std::filesystem::path& path);

}  // namespace stamp::document
