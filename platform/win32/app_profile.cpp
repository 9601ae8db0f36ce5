// The application object: its profile is the host's INI file, read and written with the system's
// profile calls; its message box is the system's.
#include <new>
#include <string>
#include <vector>

#include "platform/portable/last_error.h"
#include "platform/win32/win32_handles.h"

// A plain block, so that the host and the plug-in (each with its own copy of this code and of
// the C++ runtime) read the same object: the INI file's path, UTF-16, zero-terminated.
struct PlatApp {
  wchar_t profilePath[PLAT_MAX_PATH];
};

namespace stamp::platform {
namespace {

// The path converted into the block as a full path (the system's profile calls would look for a
// bare file name in the Windows folder, not the current one); false when it is not UTF-8 or the
// full path does not fit.
bool SetProfilePath(PlatApp& app, const char* path) {
  wchar_t given[PLAT_MAX_PATH];
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, given, PLAT_MAX_PATH) <= 0) {
    return false;
  }
  const DWORD length = GetFullPathNameW(given, PLAT_MAX_PATH, app.profilePath, nullptr);
  return length > 0 && length < PLAT_MAX_PATH;
}

// GetPrivateProfileStringW reports only what it copied (capacity - 1 when the value was cut);
// the platform reports the value's full length, so a cut value is read again into more room.
std::wstring WholeValue(const PlatApp& app, const wchar_t* section, const wchar_t* key,
                        const wchar_t* defaultValue) {
  std::vector<wchar_t> value(PLAT_MAX_PATH);
  for (;;) {
    const auto capacity = static_cast<DWORD>(value.size());
    const DWORD length = GetPrivateProfileStringW(section, key, defaultValue, value.data(),
                                                  capacity, app.profilePath);
    if (length + 1 < capacity) return std::wstring(value.data(), length);
    value.resize(value.size() * 2);
  }
}

}  // namespace
}  // namespace stamp::platform

using stamp::platform::Wide;

PlatApp* plat_app_create(const char* profilePath) {
  using stamp::platform::Fail;
  if (profilePath == nullptr) return Fail("plat_app_create: no path", nullptr);
  auto* app = new (std::nothrow) PlatApp{};
  if (app == nullptr) return Fail("out of memory", nullptr);
  if (!stamp::platform::SetProfilePath(*app, profilePath)) {
    delete app;
    return Fail("plat_app_create: the path is not UTF-8 or longer than 259 units", nullptr);
  }
  return app;
}

void plat_app_destroy(PlatApp* app) { delete app; }

int32_t plat_profile_get_int(PlatApp* app, const char16_t* section, const char16_t* key,
                             int32_t defaultValue) {
  if (app == nullptr) return defaultValue;
  return static_cast<int32_t>(
      GetPrivateProfileIntW(Wide(section), Wide(key), defaultValue, app->profilePath));
}

int32_t plat_profile_get_string(PlatApp* app, const char16_t* section, const char16_t* key,
                                const char16_t* defaultValue, char16_t* buffer, int32_t capacity) {
  if (app == nullptr || buffer == nullptr || capacity <= 0) return 0;
  const std::wstring value = stamp::platform::WholeValue(
      *app, Wide(section), Wide(key), defaultValue != nullptr ? Wide(defaultValue) : L"");
  const size_t copied = value.copy(Wide(buffer), static_cast<size_t>(capacity) - 1);
  buffer[copied] = u'\0';
  return static_cast<int32_t>(value.size());
}

int32_t plat_profile_write_string(PlatApp* app, const char16_t* section, const char16_t* key,
                                  const char16_t* value) {
  if (app == nullptr) return 0;
  return WritePrivateProfileStringW(Wide(section), Wide(key), Wide(value), app->profilePath) ? 1
                                                                                             : 0;
}

int32_t plat_profile_write_int(PlatApp* app, const char16_t* section, const char16_t* key,
                               int32_t value) {
  const std::u16string text = [value] {
    const std::wstring digits = std::to_wstring(value);
    return std::u16string(digits.begin(), digits.end());
  }();
  return plat_profile_write_string(app, section, key, text.c_str());
}

int32_t plat_message_box(const char16_t* text) {
  return MessageBoxW(GetActiveWindow(), text != nullptr ? Wide(text) : L"", nullptr,
                     MB_OK | MB_TASKMODAL);
}
