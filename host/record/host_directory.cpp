#include "host/record/host_directory.h"

#include <stdexcept>

#include "stamp/host_record.h"
#include "stamp/support/text_encoding.h"

namespace stamp::host {

std::u16string HostDirectoryText(const std::filesystem::path& folder) {
  std::u16string text = platform::FromFileSystemPath(folder.string());
  if (text.empty() || text.back() != u'\\') text.push_back(u'\\');
  if (text.size() >= STAMP_HOST_DIRECTORY_CAPACITY) {
    throw std::runtime_error("the folder " + folder.string() + " is too long for the record (" +
                             std::to_string(STAMP_HOST_DIRECTORY_CAPACITY - 1) +
                             " characters at most)");
  }
  return text;
}

std::filesystem::path ProgramFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) throw std::runtime_error("cannot find the program's folder: " + error.message());
  return program.parent_path();
}

}  // namespace stamp::host
