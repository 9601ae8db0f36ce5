#include "host/document/recent_files.h"

#include <algorithm>

namespace stamp::document {
namespace {

namespace fs = std::filesystem;

bool MayBeAFile(const fs::path& path) {
  std::error_code code;
  const fs::file_status status = fs::status(path, code);
  return path.is_absolute() && (fs::is_regular_file(status) || !fs::exists(status));
}

fs::path Absolute(const fs::path& path) {
  std::error_code code;
  const fs::path absolute = fs::absolute(path, code);
  return code ? path : absolute;
}

}  // namespace

RecentList TidyRecentFiles(const RecentList& stored) {
  RecentList files;
  for (const fs::path& path : stored) {
    if (files.size() < kMaxRecentFiles && MayBeAFile(path) &&
        std::find(files.begin(), files.end(), path) == files.end()) {
      files.push_back(path);
    }
  }
  return files;
}

RecentList WithRecentFile(const RecentList& files, const fs::path& path) {
  RecentList newer = WithoutRecentFile(files, path);
  newer.insert(newer.begin(), Absolute(path));
  if (newer.size() > kMaxRecentFiles) newer.resize(kMaxRecentFiles);
  return newer;
}

RecentList WithoutRecentFile(const RecentList& files, const fs::path& path) {
  RecentList kept = TidyRecentFiles(files);
  std::erase(kept, Absolute(path));
  return kept;
}

}  // namespace stamp::document
