// The whole string value of a key in the application profile, read through
// plat_profile_get_string: the profile reports the full length even when the buffer was too
// small, so a longer value is read again into a buffer of that length. Empty when the key is
// absent. The plug-in's settings and the host's window both read the sheet's path with it.
// C++ only: it is shared by this repository's parts and not installed with the C headers.
#pragma once

#include <string>

#include "stamp/platform.h"

namespace stamp {

inline std::u16string ReadProfileString(PlatApp* app, const char16_t* section,
                                        const char16_t* key) {
  std::u16string value(PLAT_MAX_PATH, u'\0');
  int32_t length = 0;
  while (true) {
    const auto capacity = static_cast<int32_t>(value.size());
    length = plat_profile_get_string(app, section, key, u"", value.data(), capacity);
    if (length < capacity) break;
    value.assign(static_cast<size_t>(length) + 1, u'\0');
  }
  value.resize(length > 0 ? static_cast<size_t>(length) : 0);
  return value;
}

}  // namespace stamp
