#include "src/plugin/settings.h"

#include "stamp/plugin.h"

namespace stamp {
namespace {

constexpr char16_t kSection[] = u"" STAMP_PROFILE_SECTION;
constexpr char16_t kSelectionKey[] = u"" STAMP_PROFILE_SELECTION_KEY;
constexpr char16_t kAngleKey[] = u"" STAMP_PROFILE_ANGLE_KEY;
constexpr char16_t kReductionKey[] = u"" STAMP_PROFILE_REDUCTION_KEY;
constexpr char16_t kFileKey[] = u"" STAMP_PROFILE_FILE_KEY;
constexpr int32_t kFirstPathCapacity = PLAT_MAX_PATH;

// The whole string value of key: the profile reports the full length even when the buffer was
// too small, so a longer value is read again into a buffer of that length.
std::u16string ReadString(PlatApp* app, const char16_t* key) {
  std::u16string value(kFirstPathCapacity, u'\0');
  int32_t length = 0;
  while (true) {
    const auto capacity = static_cast<int32_t>(value.size());
    length = plat_profile_get_string(app, kSection, key, u"", value.data(), capacity);
    if (length < capacity) break;
    value.assign(static_cast<size_t>(length) + 1, u'\0');
  }
  value.resize(length > 0 ? static_cast<size_t>(length) : 0);
  return value;
}

}  // namespace

StampSettings ReadSettings(PlatApp* app) {
  StampSettings settings;
  settings.selection = plat_profile_get_int(app, kSection, kSelectionKey, settings.selection);
  settings.angle = plat_profile_get_int(app, kSection, kAngleKey, settings.angle);
  settings.reduction = plat_profile_get_int(app, kSection, kReductionKey, settings.reduction);
  settings.stampPath = ReadString(app, kFileKey);
  return settings;
}

void WriteSettings(PlatApp* app, const StampSettings& settings) {
  plat_profile_write_int(app, kSection, kSelectionKey, settings.selection);
  plat_profile_write_int(app, kSection, kAngleKey, settings.angle);
  plat_profile_write_int(app, kSection, kReductionKey, settings.reduction);
  plat_profile_write_string(app, kSection, kFileKey, settings.stampPath.c_str());
}

}  // namespace stamp
