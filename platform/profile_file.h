// Reading and replacing whole files, safe against what else may stand at a path:
//  - reads open only regular files, without blocking: a FIFO, device, socket or folder is refused
//    with a reason naming the path, and a file over the caller's limit is refused unread;
//  - a replacement is written to an exclusive temporary with an unpredictable name beside the
//    target (never through a link), flushed to disk, then renamed over the target's name. A link
//    at that name is itself replaced; whatever stands there that is not a regular file or a link
//    is refused. A crash leaves the old file or the new one, never a mixture, and the next
//    replacement removes the temporaries a killed run left.
// Every failure is false or nullopt with plat_last_error naming the path and the reason.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace stamp::platform {

inline constexpr mode_t kNewFileMode = 0666;  // narrowed by the process's umask

// Far above any profile this program writes; keeps a wrong path from being read whole.
inline constexpr uint64_t kMaxProfileBytes = uint64_t{16} << 20;

// "" for a regular file; else what the path is, in words ("is a folder", "is a FIFO", ...).
std::string NotRegularReason(mode_t mode);

// Opens an existing regular file for reading. -1 on failure; errno is ENOENT for a missing file.
int OpenRegularFile(const std::string& path);

// Reads all of an open file, refusing one over maxBytes. path names it in the reasons.
std::optional<std::string> ReadOpenFile(int fd, const std::string& path, uint64_t maxBytes);

// The bytes of the regular file at path; a missing file is a failure.
std::optional<std::string> ReadRegularFile(const std::string& path, uint64_t maxBytes);

// The profile's bytes: "" when the file does not exist.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Creates the folder path lies in, when missing.
bool MakeFolderFor(const std::string& path);

// Replaces the file at path with text, creating its folder when needed. An existing file keeps
// its permission bits. On failure nothing is left under a temporary name.
bool ReplaceFileAtomically(const std::string& path, std::string_view text);

}  // namespace stamp::platform
