#include "host/win32_window/window_settings.h"

#include "platform/portable/text_encoding.h"

namespace stamp::window {
namespace {

constexpr char16_t kWindowSection[] = u"window";
constexpr char16_t kCanvasSection[] = u"new canvas";
constexpr char16_t kLeft[] = u"left";
constexpr char16_t kTop[] = u"top";
constexpr char16_t kRight[] = u"right";
constexpr char16_t kBottom[] = u"bottom";
constexpr char16_t kWidth[] = u"width";
constexpr char16_t kHeight[] = u"height";
constexpr int32_t kUnset = INT32_MIN;

}  // namespace

WindowSettings::WindowSettings(const std::optional<std::filesystem::path>& file) {
  if (file) app_.reset(plat_app_create(platform::PathToUtf8(*file).c_str()));
}

int32_t WindowSettings::Get(const char16_t* section, const char16_t* key, int32_t fallback) const {
  return app_ ? plat_profile_get_int(app_.get(), section, key, fallback) : fallback;
}

void WindowSettings::Put(const char16_t* section, const char16_t* key, int32_t value) {
  if (app_) plat_profile_write_int(app_.get(), section, key, value);
}

std::optional<RECT> WindowSettings::Placement() const {
  const RECT placed{Get(kWindowSection, kLeft, kUnset), Get(kWindowSection, kTop, kUnset), Get(kWindowSection, kRight, kUnset),
                    Get(kWindowSection, kBottom, kUnset)};
  if (placed.left == kUnset || placed.top == kUnset || placed.right <= placed.left ||
      placed.bottom <= placed.top) {
    return std::nullopt;
  }
  return placed;
}

void WindowSettings::KeepPlacement(const RECT& placed) {
  Put(kWindowSection, kLeft, placed.left);
  Put(kWindowSection, kTop, placed.top);
  Put(kWindowSection, kRight, placed.right);
  Put(kWindowSection, kBottom, placed.bottom);
}

Size WindowSettings::NewCanvasSize(Size fallback) const {
  return {Get(kCanvasSection, kWidth, fallback.width), Get(kCanvasSection, kHeight, fallback.height)};
}

void WindowSettings::KeepNewCanvasSize(Size size) {
  Put(kCanvasSection, kWidth, size.width);
  Put(kCanvasSection, kHeight, size.height);
}

}  // namespace stamp::window
