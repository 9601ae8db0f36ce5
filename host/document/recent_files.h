// The files last opened or saved in a window (drawings and pictures), newest first, each once as
// an absolute path, at most kMaxRecentFiles. The window keeps the list with its settings and
// shows it; these are the list's rules, so every window keeps it alike.
#pragma once

#include <cstddef>
#include <filesystem>
#include <vector>

namespace stamp::document {

inline constexpr size_t kMaxRecentFiles = 10;

using RecentList = std::vector<std::filesystem::path>;

// The stored list, read without trusting it: entries that are not files (a folder, a device, a
// relative name) and repeats are dropped, and at most kMaxRecentFiles kept. An entry that names
// nothing now stays (a drive not mounted, a file moved away for a while: choosing it says it is
// gone).
RecentList TidyRecentFiles(const RecentList& stored);
// files with path first (made absolute), its older place and the oldest file beyond the limit
// dropped.
RecentList WithRecentFile(const RecentList& files, const std::filesystem::path& path);
RecentList WithoutRecentFile(const RecentList& files, const std::filesystem::path& path);

}  // namespace stamp::document
