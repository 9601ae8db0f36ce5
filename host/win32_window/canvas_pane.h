// The canvas as the window shows it, at a zoom from 1:4 to 8:1 (view_mapping.h), with scroll
// bars. The pane keeps no picture of the canvas: each paint asks the compositor for the canvas
// pixels the pane shows, at the zoom shown, and writes them straight into a frame of the painted
// area's size.
//
// The mouse is the pen: a press on the canvas itself starts a stroke and holds the mouse until
// the button is let go (pen-down reports the point the tool's conversion takes, moves and pen-up
// report canvas points). Should the pane lose the mouse mid-stroke (a dialog took it), the stroke
// ends where the pen last was, as if lifted there, so no preview stays in the overlay.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "host/output/compositor.h"
#include "host/win32_window/pen_events.h"

namespace stamp::window {

class CanvasPane {
 public:
  static constexpr wchar_t kClassName[] = L"StampCanvasPane";
  static const wchar_t* Cursor() { return IDC_CROSS; }

  // viewChanged is told of every change of zoom or scroll position.
  CanvasPane(HWND parent, PenReport report, std::function<void()> viewChanged);

  // The canvas to show from now on: canvasSize pixels, composited by compositor, which must
  // outlive the pane or the next call.
  void SetCanvas(host::Compositor& compositor, document::Size canvasSize);
  // The canvas's pixels changed: paint them again.
  void CanvasChanged() { InvalidateRect(window_, nullptr, FALSE); }
  // Sets the zoom (clamped to the range) keeping the canvas point under anchor, a pane point,
  // where it is; without one, the point at the pane's centre.
  void SetZoom(int zoom);
  void SetZoomAt(int zoom, document::Point anchor);
  int zoom() const { return zoom_; }
  document::ViewMapping mapping() const;
  HWND window() const { return window_; }

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;

 private:
  document::Size PageSize() const;
  RECT ShownArea() const;
  void UpdateScrollRanges();
  void Scroll(int bar, int request);
  void ScrollTo(int bar, int position);
  void Paint();
  void PaintFrame(HDC dc, const RECT& area);
  void PenDown(document::Point viewPoint);
  void EndStroke(document::Point canvasPoint);
  void Wheel(WPARAM wParam, LPARAM lParam);

  PenReport report_;
  std::function<void()> viewChanged_;
  host::Compositor* compositor_ = nullptr;
  document::Size canvasSize_{};
  int zoom_ = 0;
  document::Point scroll_{};  // the scroll bars' positions: the canvas's corner lies at -scroll_
  bool penIsDown_ = false;
  document::Point lastPenPoint_;   // canvas point of the pen's last press or move
  std::vector<uint32_t> frame_;    // the painted area, top-down 0x00RRGGBB, reused
  std::vector<uint8_t> rowBytes_;  // one composited row segment, B,G,R
};

}  // namespace stamp::window
