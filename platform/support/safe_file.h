// Reading and replacing whole files, safe against what else may stand at a path:
//  - reads open only regular files, without blocking: a FIFO, device, socket or folder is refused
//    with a reason naming the path, and a file over the caller's limit is refused unread;
//  - a replacement is written to an exclusive temporary with an unpredictable name beside the
//    target (never through a link), flushed to disk, then renamed over the target's name. A link
//    at that name is itself replaced; whatever stands there that is not a regular file or a link
//    is refused. A crash leaves the old file or the new one, never a mixture, and the next
//    replacement removes the temporaries a killed run left.
// Paths are UTF-8 on every system (PathFromUtf8 of text_encoding.h makes them paths).
// Pure code without state, for the host and the platform alike: every failure gives false,
// -1 or nullopt and puts the reason, naming the path the caller gave, in *why.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace stamp::platform {

inline constexpr mode_t kNewFileMode = 0666;  // narrowed by the process's umask

// "" for a regular file; else what the path is, in words ("is a folder", "is a FIFO", ...).
std::string NotRegularReason(mode_t mode);

// Opens an existing regular file for reading. -1 on failure; errno is ENOENT for a missing file.
int OpenRegularFile(const std::string& path, std::string* why);

// Reads all of an open file, refusing one over maxBytes. path names it in the reasons.
std::optional<std::string> ReadOpenFile(int fd, const std::string& path, uint64_t maxBytes,
                                        std::string* why);

// The bytes of the regular file at path; a missing file is a failure.
std::optional<std::string> ReadRegularFile(const std::string& path, uint64_t maxBytes,
                                           std::string* why);

// Creates the folder path lies in, when missing.
bool MakeFolderFor(const std::string& path, std::string* why);

// A replacement of the file at path being written. Open checks what stands at path (a path that
// names no file, such as "dir/", is refused before anything is made), creates the folder when
// needed and creates the temporary; the caller writes the whole new file to fd();
// Commit flushes it to disk and renames it over path. An existing file keeps its permission
// bits (on POSIX). A replacement not committed removes its temporary when destroyed, so on failure
// nothing is left under a temporary name and the old file stays as it was.
class Replacement {
 public:
  explicit Replacement(std::string path) : path_(std::move(path)) {}
  ~Replacement();
  Replacement(const Replacement&) = delete;
  Replacement& operator=(const Replacement&) = delete;

  bool Open(std::string* why);
  int fd() const { return fd_; }
  // Writes all of bytes to the temporary, after what was written before.
  bool Write(std::string_view bytes, std::string* why);
  bool Commit(std::string* why);

 private:
  bool Failed(std::string* why);

  std::string path_;
  std::string temporary_;
  int fd_ = -1;
};

// How many fresh names a writer tries before it gives up: each is taken only by a name clash.
inline constexpr int kTemporaryNameAttempts = 100;

// A fresh, unpredictable temporary name beside target for this process (TARGET.tmp-PID-RANDOM),
// for a file or link made there exclusively; POSIX only.
std::string TemporaryNameFor(const std::string& target);

// The name of the target a temporary beside it was written for, when name is such a temporary and
// its writer no longer runs: what a killed replacement left, complete or not. nullopt otherwise.
std::optional<std::string> StaleTemporaryTarget(std::string_view name);

// Replaces the file at path with text, as one Replacement.
bool ReplaceFileAtomically(const std::string& path, std::string_view text, std::string* why);

}  // namespace stamp::platform
