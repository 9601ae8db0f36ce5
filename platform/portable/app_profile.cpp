// The application object and its profile: an INI file read afresh by every call. Every write
// re-reads the file under a lock and changes one entry (profile_update.h), so entries other
// programs wrote meanwhile are kept. The first write that fails is kept for the host to report.
//
// Integers read like the Windows profile-integer read: blanks trimmed, an optional sign, then
// decimal digits up to the first other character; no digits read as 0. A number beyond the
// 32-bit range saturates at INT32_MIN or INT32_MAX rather than wrapping into a wrong value.
//
// A value holding a line break cannot be written (the write fails and the file is unchanged):
// stored as it is, it would split into a second line and corrupt the file.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <new>
#include <optional>
#include <string>

#include "platform/portable/ini_file.h"
#include "platform/portable/last_error.h"
#include "platform/portable/profile_update.h"
#include "platform/portable/text_encoding.h"
#include "stamp/platform.h"

struct PlatApp {
  std::string profilePath;
  std::string writeFailure;  // why the first failed write did not land; "" while none failed
};

namespace stamp::platform {
namespace {

constexpr int64_t kIntLimit = int64_t{1} << 31;

int32_t ParseProfileInt(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int64_t magnitude = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') break;
    magnitude = std::min(magnitude * 10 + (c - '0'), kIntLimit);
  }
  const int64_t value = negative ? -magnitude : std::min(magnitude, kIntLimit - 1);
  return static_cast<int32_t>(value);
}

bool ValidKey(PlatApp* app, const char16_t* section, const char16_t* key) {
  if (app != nullptr && section != nullptr && key != nullptr) return true;
  return Fail("profile call without application, section or key", false);
}

// The stored value (UTF-8); nullopt when absent. An unreadable file reads as empty.
std::optional<std::string> ReadValue(PlatApp* app, const char16_t* section, const char16_t* key) {
  const std::string text = ReadWholeFile(app->profilePath).value_or(std::string());
  return IniDocument::Parse(text).Get(ToUtf8(Utf16View(section)), ToUtf8(Utf16View(key)));
}

int32_t WriteValue(PlatApp* app, const char16_t* section, const char16_t* key,
                   const std::string& value) {
  const auto edit = [&](const std::string& text) -> std::optional<std::string> {
    IniDocument document = IniDocument::Parse(text);
    if (!document.Set(ToUtf8(Utf16View(section)), ToUtf8(Utf16View(key)), value)) {
      return Fail("profile entry cannot be stored on one line", std::nullopt);
    }
    return document.Serialise();
  };
  if (UpdateFileLocked(app->profilePath, edit)) return 1;
  if (app->writeFailure.empty()) app->writeFailure = plat_last_error();
  return 0;
}

// Gives the full length of the value, which may exceed what fitted.
int32_t CopyOut(std::u16string_view value, char16_t* buffer, int32_t capacity) {
  CopyTerminated(value, buffer, capacity);
  return static_cast<int32_t>(std::min<size_t>(value.size(), INT32_MAX));
}

}  // namespace
}  // namespace stamp::platform

using namespace stamp::platform;

PlatApp* plat_app_create(const char* profilePath) {
  if (profilePath == nullptr) return Fail("no profile path", nullptr);
  void* block = plat_alloc_low(sizeof(PlatApp));
  if (block == nullptr) return nullptr;
  PlatApp* app = GuardedCall<PlatApp*>(nullptr, [&] {
    return new (block) PlatApp{profilePath, {}};
  });
  if (app == nullptr) plat_free_low(block);
  return app;
}

void plat_app_destroy(PlatApp* app) {
  if (app == nullptr) return;
  app->~PlatApp();
  plat_free_low(app);
}

const char* plat_app_profile_failure(PlatApp* app) {
  if (app == nullptr || app->writeFailure.empty()) return nullptr;
  return app->writeFailure.c_str();
}

int32_t plat_profile_get_int(PlatApp* app, const char16_t* section, const char16_t* key,
                             int32_t defaultValue) {
  if (!ValidKey(app, section, key)) return defaultValue;
  return GuardedCall(defaultValue, [&] {
    const std::optional<std::string> value = ReadValue(app, section, key);
    return value ? ParseProfileInt(*value) : defaultValue;
  });
}

int32_t plat_profile_get_string(PlatApp* app, const char16_t* section, const char16_t* key,
                                const char16_t* defaultValue, char16_t* buffer, int32_t capacity) {
  const std::u16string_view fallback = Utf16View(defaultValue);
  if (!ValidKey(app, section, key)) return CopyOut(fallback, buffer, capacity);
  return GuardedCall(int32_t{0}, [&] {
    const std::optional<std::string> value = ReadValue(app, section, key);
    const std::u16string text = value ? FromUtf8(*value) : std::u16string(fallback);
    return CopyOut(text, buffer, capacity);
  });
}

int32_t plat_profile_write_int(PlatApp* app, const char16_t* section, const char16_t* key,
                               int32_t value) {
  if (!ValidKey(app, section, key)) return 0;
  return GuardedCall(0, [&] { return WriteValue(app, section, key, std::to_string(value)); });
}

int32_t plat_profile_write_string(PlatApp* app, const char16_t* section, const char16_t* key,
                                  const char16_t* value) {
  if (!ValidKey(app, section, key)) return 0;
  if (value == nullptr) return Fail("profile write without a value", 0);
  return GuardedCall(0, [&] { return WriteValue(app, section, key, ToUtf8(Utf16View(value))); });
}
