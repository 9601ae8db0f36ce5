// The lock each running window holds on its autosave-NAME.lock in the state folder: an advisory
// lock (flock) on a regular file, opened without following links, so that a link planted in the
// lock's place never creates or opens a file elsewhere. A lock nobody holds means its window
// has ended.
#pragma once

#include <filesystem>
#include <string>

namespace stamp::gui {

enum class LockState {
  kFree,      // absent, or a regular file nobody holds: its window no longer runs
  kHeld,      // a running window holds it
  kUnusable,  // a link, a folder or another kind of file, or it cannot be opened: why says which
};

// Whether the lock at path is held, without creating it or taking it for long.
LockState ProbeLock(const std::filesystem::path& path, std::string& why);

// Creates (or opens) the lock at path and takes it for this process: its descriptor, or -1 with
// why when it cannot (a planted link or folder, a read-only folder, held by another window).
int TakeLock(const std::filesystem::path& path, std::string& why);

}  // namespace stamp::gui
