#include "host/win32_window/panel_pane.h"

#include <utility>

#include "host/output/snapshot.h"
#include "host/win32_window/window_class.h"
#include "stamp/host_record.h"

namespace stamp::window {
namespace {

// Halved and rounded down, so that a drag beyond the left or top edge stays outside the panel.
int32_t PanelCoordinate(int paneCoordinate) {
  return paneCoordinate >= 0 ? paneCoordinate / PanelPane::kScale
                             : -((-paneCoordinate + PanelPane::kScale - 1) / PanelPane::kScale);
}

}  // namespace

PanelPane::PanelPane(HWND parent, PenReport report) : report_(std::move(report)) {
  CreateObjectWindow(this, WS_CHILD | WS_VISIBLE, 0, parent);
}

document::Size PanelPane::PaneSize() {
  return {STAMP_PANEL_WIDTH * kScale, host::kShownPanelRows * kScale};
}

void PanelPane::Show(const host::RasterView& panel) {
  panel_ = panel;
  InvalidateRect(window_, nullptr, FALSE);
}

// The shown rows are a bottom-up block of the raster that starts in memory at its last row.
void PanelPane::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  if (panel_.bytes != nullptr) {
    GdiFlush();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = panel_.width;
    info.bmiHeader.biHeight = host::kShownPanelRows;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const int32_t lastRow = STAMP_PANEL_TOP_ROW + host::kShownPanelRows - 1;
    const document::Size shown = PaneSize();
    StretchDIBits(dc, 0, 0, shown.width, shown.height, 0, 0, panel_.width, host::kShownPanelRows,
                  panel_.row(lastRow), &info, DIB_RGB_COLORS, SRCCOPY);
  }
  EndPaint(window_, &paint);
}

void PanelPane::Pen(host::EventKind kind, LPARAM lParam) {
  const document::Point pane = MessagePoint(lParam);
  report_(kind, {PanelCoordinate(pane.x), PanelCoordinate(pane.y)});
}

LRESULT PanelPane::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_LBUTTONDOWN:
      penIsDown_ = true;
      SetCapture(window_);
      Pen(host::EventKind::kPanelDown, lParam);
      return 0;
    case WM_MOUSEMOVE:
      if (penIsDown_) Pen(host::EventKind::kPanelMove, lParam);
      return 0;
    // The mouse is let go before the tool hears of the release: the file button runs the load
    // dialog inside it.
    case WM_LBUTTONUP:
      if (!penIsDown_) return 0;
      penIsDown_ = false;
      ReleaseCapture();
      Pen(host::EventKind::kPanelUp, lParam);
      return 0;
    case WM_CAPTURECHANGED: penIsDown_ = false; return 0;
    default: return DefWindowProcW(window_, message, wParam, lParam);
  }
}

}  // namespace stamp::window
