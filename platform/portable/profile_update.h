// Changing the profile while other programs may change it too. The profile path may be a link
// (dotfiles are often kept that way): the file at the end of its chain is the one read and
// replaced, so the link stays a link. Each change re-reads that file under an exclusive advisory
// lock (flock) on the folder that holds it, edits only what it must and replaces the file
// atomically before the lock is released, so changes made by cooperating programs between two
// writes are kept. A missing profile is created only by the replacement, never left empty.
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

// The file a path names once links are followed; it need not exist. nullopt (with
// plat_last_error) for a chain of links that does not end.
std::optional<std::string> FollowLinks(const std::string& path);

// Gives the file's current text ("" when missing) to edit and writes what edit gives back. edit
// gives nullopt, with plat_last_error set, to refuse the change. False (with plat_last_error
// naming the file and the reason) when the file is not a regular file or cannot be read,
// locked or replaced; the old file then stays as it was.
bool UpdateFileLocked(const std::string& path,
                      const std::function<std::optional<std::string>(const std::string&)>& edit);

}  // namespace stamp::platform
