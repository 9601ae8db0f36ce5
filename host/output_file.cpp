#include "host/output_file.h"

#include <string_view>

#include "platform/profile_file.h"
#include "stamp/platform.h"

namespace stamp::host {

std::string WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (platform::ReplaceFileAtomically(path.string(), text)) return {};
  return plat_last_error();
}

}  // namespace stamp::host
