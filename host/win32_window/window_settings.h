// What the window keeps between runs, in an INI file of its own (window.ini beside the default
// profile): where it was and how large when it closed, and the size the last new canvas was
// given, and the recent files (host/document/recent_files.h). Written through the platform's
// profile calls: UTF-8, its folder made when missing, each write replacing the file atomically.
// Without a file (no application data folder) nothing is kept.
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "host/document/recent_files.h"
#include "host/document/view_mapping.h"
#include "stamp/platform.h"

namespace stamp::window {

class WindowSettings {
 public:
  explicit WindowSettings(const std::optional<std::filesystem::path>& file);

  // The window's last place on the screen (its normal, not maximised, rectangle).
  std::optional<RECT> Placement() const;
  void KeepPlacement(const RECT& placed);
  // The last new canvas's size, else fallback.
  document::Size NewCanvasSize(document::Size fallback) const;
  void KeepNewCanvasSize(document::Size size);
  // The stored list of recent files, tidied by the document's rules (and stored so when tidying
  // changed it).
  document::RecentList RecentFiles();
  void KeepRecentFiles(const document::RecentList& files);

 private:
  int32_t Get(const char16_t* section, const char16_t* key, int32_t fallback) const;
  void Put(const char16_t* section, const char16_t* key, int32_t value);

  struct AppDeleter {
    void operator()(PlatApp* app) const { plat_app_destroy(app); }
  };
  std::unique_ptr<PlatApp, AppDeleter> app_;
};

}  // namespace stamp::window
