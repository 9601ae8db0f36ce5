// The reading half of the safe file calls on Windows: only a regular file is read (a folder or
// device is refused unread), and a file over the caller's limit is refused before it is read.
// Paths are UTF-8, as everywhere in the host and the platform. Windows hosts replace files
// through the system's own rename (MoveFileExW), not through Replacement.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/portable/text_encoding.h"
#include "platform/support/safe_file.h"

namespace stamp::platform {
namespace {

template <typename T>
T Refuse(std::string* why, std::string reason, T failure) {
  *why = std::move(reason);
  return failure;
}

}  // namespace

std::optional<std::string> ReadRegularFile(const std::string& path, uint64_t maxBytes,
                                           std::string* why) {
  const std::filesystem::path file = PathFromUtf8(path);
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(file, error);
  if (error) return Refuse(why, "cannot read " + path + ": " + error.message(), std::nullopt);
  if (!std::filesystem::is_regular_file(status)) {
    return Refuse(why, "cannot read " + path + ": it is not a regular file", std::nullopt);
  }
  const uintmax_t size = std::filesystem::file_size(file, error);
  if (error) return Refuse(why, "cannot read " + path + ": " + error.message(), std::nullopt);
  if (size > maxBytes) {
    return Refuse(
        why, "cannot read " + path + ": over the limit of " + std::to_string(maxBytes) + " bytes",
        std::nullopt);
  }
  std::ifstream stream(file, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
  if (!stream && !stream.eof()) return Refuse(why, "cannot read " + path, std::nullopt);
  return bytes;
}

}  // namespace stamp::platform
