#include "bench_profile.h"

#include <unistd.h>

#include <atomic>

#include "host/record/host_directory.h"
#include "stamp/platform.h"

namespace stamp::bench {
namespace {

constexpr char16_t kSection[] = u"" STAMP_PROFILE_SECTION;
constexpr int32_t kAngle = 30;

std::string FreshPath() {
  static std::atomic<int> made{0};
  return (std::filesystem::temp_directory_path() /
          ("stamp_bench_" + std::to_string(getpid()) + "_" + std::to_string(made++) + ".ini"))
      .string();
}

}  // namespace

#ifdef STAMP_BENCH_HOST_DIR
std::filesystem::path HostFolder() { return STAMP_BENCH_HOST_DIR; }
#else
std::filesystem::path HostFolder() { return host::ProgramFolder(); }
#endif

SheetProfile::SheetProfile(int32_t size) : path_(FreshPath()) {
  PlatApp* app = plat_app_create(path_.c_str());
  const std::u16string sheet =
      host::HostDirectoryText(HostFolder()) + u"" STAMP_SHEET_FOLDER "\\shapes.bmp";
  plat_profile_write_string(app, kSection, u"" STAMP_PROFILE_FILE_KEY, sheet.c_str());
  plat_profile_write_int(app, kSection, u"" STAMP_PROFILE_ANGLE_KEY, kAngle);
  plat_profile_write_int(app, kSection, u"" STAMP_PROFILE_REDUCTION_KEY, size);
  plat_app_destroy(app);
}

SheetProfile::~SheetProfile() {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

}  // namespace stamp::bench
