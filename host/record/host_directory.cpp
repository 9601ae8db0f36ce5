#include "host/record/host_directory.h"

#include <stdexcept>

#include "platform/portable/text_encoding.h"
#include "stamp/host_record.h"

namespace stamp::host {

std::u16string HostDirectoryText(const std::filesystem::path& folder) {
  // UTF-8 on every system: a Windows path's narrow form would lose letters outside its code page.
  const std::u8string name = folder.u8string();
  std::u16string text = platform::FromFileSystemPath(
      std::string(reinterpret_cast<const char*>(name.data()), name.size()));
  if (text.empty() || text.back() != u'\\') text.push_back(u'\\');
  if (text.size() >= STAMP_HOST_DIRECTORY_CAPACITY) {
    throw std::runtime_error(
        "the folder " + platform::PathToUtf8(folder) + " is too long for the record (" +
        std::to_string(STAMP_HOST_DIRECTORY_CAPACITY - 1) + " characters at most)");
  }
  return text;
}

}  // namespace stamp::host
