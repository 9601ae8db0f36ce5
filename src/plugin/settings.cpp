#include "src/plugin/settings.h"

#include "stamp/platform.h"

namespace stamp {
namespace {

constexpr char16_t kSection[] = u"plugin_kvo_stamp";
constexpr char16_t kSelectKey[] = u"select";
constexpr char16_t kDegreeKey[] = u"degree";
constexpr char16_t kShrinkKey[] = u"shrink";
constexpr char16_t kFileKey[] = u"file";
constexpr int32_t kDefaultReduction = 30;
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

void ReadSettings(ModuleState& module) {
  PlatApp* app = module.host.profileApp();
  module.selection = plat_profile_get_int(app, kSection, kSelectKey, 0);
  module.angle = plat_profile_get_int(app, kSection, kDegreeKey, 0);
  module.reduction = plat_profile_get_int(app, kSection, kShrinkKey, kDefaultReduction);
  module.stampPath = ReadString(app, kFileKey);
}

void WriteSettings(const ModuleState& module) {
  PlatApp* app = module.host.profileApp();
  plat_profile_write_int(app, kSection, kSelectKey, module.selection);
  plat_profile_write_int(app, kSection, kDegreeKey, module.angle);
  plat_profile_write_int(app, kSection, kShrinkKey, module.reduction);
  plat_profile_write_string(app, kSection, kFileKey, module.stampPath.c_str());
}

}  // namespace stamp
