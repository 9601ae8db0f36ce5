// The profile's file, as each back end reads and changes it (posix/system/profile_update.cpp,
// win32/profile_file.cpp), for the profile calls both share (portable/app_profile.cpp). Each
// change re-reads the file under an exclusive lock that cooperating writers share, edits only
// what it must and replaces the file atomically before the lock is released, so changes made by
// other writers between two writes are kept. A missing profile (and its folder) is created only
// by the replacement, never left empty. On POSIX the lock is flock on the folder and a profile
// path that is a link changes the file at the end of its chain, so the link stays a link; on
// Windows the lock is a mutex named after the path.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace stamp::platform {

// Far above any profile this program writes; keeps a wrong path from being read whole.
inline constexpr uint64_t kMaxProfileBytes = uint64_t{16} << 20;

// The profile's bytes: "" when the file does not exist. nullopt (with plat_last_error) when it
// is no regular file or cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Gives the file's current text ("" when missing) to edit and writes what edit gives back. edit
// gives nullopt, with plat_last_error set, to refuse the change. False (with plat_last_error
// naming the file and the reason) when the file is not a regular file or cannot be read,
// locked or replaced; the old file then stays as it was.
bool UpdateFileLocked(const std::string& path,
                      const std::function<std::optional<std::string>(const std::string&)>& edit);

}  // namespace stamp::platform
