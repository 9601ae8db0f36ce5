#include "host/win32_window/window_settings.h"

#include <algorithm>
#include <string>
#include <vector>

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
constexpr char16_t kRecentSection[] = u"recent files";
constexpr char16_t kRecentCount[] = u"count";
constexpr int32_t kUnset = INT32_MIN;
// The longest path a recent file's entry is read back at.
constexpr int32_t kMaxPathUnits = 32768;

std::u16string RecentKey(size_t index) {
  const std::string key = "file" + std::to_string(index + 1);
  return std::u16string(key.begin(), key.end());
}

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
  const RECT placed{Get(kWindowSection, kLeft, kUnset), Get(kWindowSection, kTop, kUnset),
                    Get(kWindowSection, kRight, kUnset), Get(kWindowSection, kBottom, kUnset)};
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

document::Size WindowSettings::NewCanvasSize(document::Size fallback) const {
  return {Get(kCanvasSection, kWidth, fallback.width),
          Get(kCanvasSection, kHeight, fallback.height)};
}

void WindowSettings::KeepNewCanvasSize(document::Size size) {
  Put(kCanvasSection, kWidth, size.width);
  Put(kCanvasSection, kHeight, size.height);
}

document::RecentList WindowSettings::RecentFiles() {
  if (!app_) return {};
  document::RecentList stored;
  const int32_t count = std::clamp<int32_t>(Get(kRecentSection, kRecentCount, 0), 0,
                                            static_cast<int32_t>(document::kMaxRecentFiles));
  std::vector<char16_t> buffer(kMaxPathUnits);
  for (size_t i = 0; i < static_cast<size_t>(count); ++i) {
    const int32_t length = plat_profile_get_string(app_.get(), kRecentSection, RecentKey(i).c_str(),
                                                   u"", buffer.data(), kMaxPathUnits);
    if (length <= 0 || length >= kMaxPathUnits) continue;  // none, or cut short
    stored.push_back(platform::PathFromUtf8(platform::ToUtf8({buffer.data(), size_t(length)})));
  }
  const document::RecentList files = document::TidyRecentFiles(stored);
  if (files != stored) KeepRecentFiles(files);
  return files;
}

void WindowSettings::KeepRecentFiles(const document::RecentList& files) {
  if (!app_) return;
  for (size_t i = 0; i < files.size(); ++i) {
    const std::u16string path = platform::FromUtf8(platform::PathToUtf8(files[i]));
    plat_profile_write_string(app_.get(), kRecentSection, RecentKey(i).c_str(), path.c_str());
  }
  Put(kRecentSection, kRecentCount, static_cast<int32_t>(files.size()));
}

}  // namespace stamp::window
