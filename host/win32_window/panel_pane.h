// The tool's panel as the window shows it: the panel raster's rows 730 to 849 at twice their
// size, each raster pixel a crisp 2x2 block, painted straight from the raster the session keeps.
// Pen events are reported in panel coordinates (the pane position halved, rounded down), as the
// tool's panel handlers take them; the pane holds the mouse while its button is down, so a drag
// around the dial keeps turning it outside the pane.
#pragma once

#include <windows.h>

#include "host/record/raster_view.h"
#include "host/win32_window/pen_events.h"

namespace stamp::window {

class PanelPane {
 public:
  static constexpr wchar_t kClassName[] = L"StampPanelPane";
  static constexpr int kScale = 2;
  static const wchar_t* Cursor() { return IDC_ARROW; }

  PanelPane(HWND parent, PenReport report);

  // The raster shown from now on (the session's panel raster, which outlives the next call).
  void Show(const host::RasterView& panel);
  HWND window() const { return window_; }
  // The pane's size in the window.
  static document::Size PaneSize();

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;

 private:
  void Paint();
  void Pen(host::EventKind kind, LPARAM lParam);

  PenReport report_;
  host::RasterView panel_{};
  bool penIsDown_ = false;
};

}  // namespace stamp::window
