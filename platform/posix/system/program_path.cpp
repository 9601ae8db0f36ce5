#include "platform/posix/system/program_path.h"

#include <filesystem>

#include "platform/portable/last_error.h"
#include "platform/portable/text_encoding.h"
#include "stamp/platform.h"
#include "stamp/platform_host.h"

namespace stamp::platform {
namespace {

std::optional<std::string>& Override() {
  static std::optional<std::string> path;
  return path;
}

}  // namespace

std::optional<std::string> ProgramPath() {
  if (Override()) return Override();
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return Fail("cannot read the program path: " + error.message(), std::nullopt);
  return executable.string();
}

}  // namespace stamp::platform

using namespace stamp::platform;

void plat_set_program_path(const char* path) {
  GuardedCall(0, [&] {
    Override() = path != nullptr ? std::optional<std::string>(path) : std::nullopt;
    return 0;
  });
}

int32_t plat_get_module_file_name(char16_t* buffer, int32_t capacity) {
  if (buffer == nullptr || capacity <= 0) return Fail("no room for the program path", 0);
  buffer[0] = u'\0';
  return GuardedCall(0, [&] {
    const std::optional<std::string> path = ProgramPath();
    if (!path) return 0;
    return CopyTerminated(FromFileSystemPath(*path), buffer, capacity);
  });
}
