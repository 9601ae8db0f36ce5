// The folder a file is to be written in, made when missing: pure std::filesystem, the same on
// every system.
#include <filesystem>

#include "platform/portable/text_encoding.h"
#include "platform/support/safe_file.h"

namespace stamp::platform {

bool MakeFolderFor(const std::string& path, std::string* why) {
  const std::filesystem::path folder = PathFromUtf8(path).parent_path();
  std::error_code error;
  if (!folder.empty()) std::filesystem::create_directories(folder, error);
  if (!error) return true;
  *why = "cannot write " + path + ": cannot create its folder: " + error.message();
  return false;
}

}  // namespace stamp::platform
