#include "src/plugin/settings.h"

#include "stamp/plugin.h"
#include "stamp/profile_string.h"

namespace stamp {
namespace {

constexpr char16_t kSection[] = u"" STAMP_PROFILE_SECTION;
constexpr char16_t kSelectionKey[] = u"" STAMP_PROFILE_SELECTION_KEY;
constexpr char16_t kAngleKey[] = u"" STAMP_PROFILE_ANGLE_KEY;
constexpr char16_t kReductionKey[] = u"" STAMP_PROFILE_REDUCTION_KEY;
constexpr char16_t kFileKey[] = u"" STAMP_PROFILE_FILE_KEY;

}  // namespace

StampSettings ReadSettings(PlatApp* app) {
  StampSettings settings;
  settings.selection = plat_profile_get_int(app, kSection, kSelectionKey, settings.selection);
  settings.angle = plat_profile_get_int(app, kSection, kAngleKey, settings.angle);
  settings.reduction = plat_profile_get_int(app, kSection, kReductionKey, settings.reduction);
  settings.stampPath = ReadProfileString(app, kSection, kFileKey);
  return settings;
}

void WriteSettings(PlatApp* app, const StampSettings& settings) {
  plat_profile_write_int(app, kSection, kSelectionKey, settings.selection);
  plat_profile_write_int(app, kSection, kAngleKey, settings.angle);
  plat_profile_write_int(app, kSection, kReductionKey, settings.reduction);
  plat_profile_write_string(app, kSection, kFileKey, settings.stampPath.c_str());
}

}  // namespace stamp
