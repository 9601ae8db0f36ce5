#include "host/win32_window/canvas_pane.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>
#include <utility>

#include "host/win32_window/window_class.h"

namespace stamp::window {
namespace {

constexpr COLORREF kBackdrop = RGB(0x80, 0x80, 0x80);
constexpr int kPixelBytes = 3;
// A scroll bar's arrow moves the canvas by this many view pixels.
constexpr int kLineStep = 20;

bool Contains(const RECT& area, document::Point point) {
  return point.x >= area.left && point.x < area.right && point.y >= area.top &&
         point.y < area.bottom;
}

}  // namespace

CanvasPane::CanvasPane(HWND parent, PenReport report, std::function<void()> viewChanged)
    : report_(std::move(report)), viewChanged_(std::move(viewChanged)) {
  CreateObjectWindow(this, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE,
                     parent);
}

void CanvasPane::SetCanvas(host::Compositor& compositor, document::Size canvasSize) {
  compositor_ = &compositor;
  canvasSize_ = canvasSize;
  UpdateScrollRanges();
  CanvasChanged();
}

document::ViewMapping CanvasPane::mapping() const { return {{-scroll_.x, -scroll_.y}, zoom_}; }

document::Size CanvasPane::PageSize() const {
  RECT client{};
  GetClientRect(window_, &client);
  return {client.right, client.bottom};
}

RECT CanvasPane::ShownArea() const {
  const document::ViewMapping view = mapping();
  const document::Size shown = view.ShownSize(canvasSize_);
  return {view.origin.x, view.origin.y, view.origin.x + shown.width, view.origin.y + shown.height};
}

void CanvasPane::SetZoom(int zoom) {
  const document::Size page = PageSize();
  SetZoomAt(zoom, {page.width / 2, page.height / 2});
}

void CanvasPane::SetZoomAt(int zoom, document::Point anchor) {
  zoom = std::clamp(zoom, document::ViewMapping::kMinZoom, document::ViewMapping::kMaxZoom);
  if (zoom == zoom_) return;
  // The anchor's canvas position, in canvas pixels with fractions, stays under the anchor.
  const double scale = std::ldexp(1.0, zoom - zoom_);
  const document::Point origin = mapping().origin;
  const double x = (anchor.x - origin.x) * scale;
  const double y = (anchor.y - origin.y) * scale;
  zoom_ = zoom;
  UpdateScrollRanges();
  ScrollTo(SB_HORZ, static_cast<int>(std::lround(x - anchor.x)));
  ScrollTo(SB_VERT, static_cast<int>(std::lround(y - anchor.y)));
  CanvasChanged();
  viewChanged_();
}

// Each bar spans the canvas as shown; its page is the pane. A position beyond the new range is
// brought back into it.
void CanvasPane::UpdateScrollRanges() {
  const document::Size page = PageSize();
  const document::Size shown = mapping().ShownSize(canvasSize_);
  for (const auto& [bar, length, pageLength] : {std::tuple{SB_HORZ, shown.width, page.width},
                                                std::tuple{SB_VERT, shown.height, page.height}}) {
    SCROLLINFO info{sizeof info,
                    SIF_RANGE | SIF_PAGE,
                    0,
                    std::max(0, length - 1),
                    static_cast<UINT>(std::max(0, pageLength)),
                    0,
                    0};
    SetScrollInfo(window_, bar, &info, TRUE);
    ScrollTo(bar, bar == SB_HORZ ? scroll_.x : scroll_.y);
  }
}

void CanvasPane::ScrollTo(int bar, int position) {
  SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, position, 0};
  SetScrollInfo(window_, bar, &info, TRUE);
  info.fMask = SIF_POS;
  GetScrollInfo(window_, bar, &info);
  int32_t& kept = bar == SB_HORZ ? scroll_.x : scroll_.y;
  if (kept == info.nPos) return;
  kept = info.nPos;
  CanvasChanged();
  viewChanged_();
}

void CanvasPane::Scroll(int bar, int request) {
  SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(window_, bar, &info);
  int position = info.nPos;
  switch (request) {
    case SB_LINEUP: position -= kLineStep; break;
    case SB_LINEDOWN: position += kLineStep; break;
    case SB_PAGEUP: position -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: position += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_TOP: position = info.nMin; break;
    case SB_BOTTOM: position = info.nMax; break;
    default: return;
  }
  ScrollTo(bar, position);
}

void CanvasPane::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  const RECT shown = ShownArea();
  RECT area{};
  const bool any = compositor_ != nullptr && IntersectRect(&area, &shown, &paint.rcPaint);
  // The backdrop around the canvas: the painted rectangle less the canvas's part of it.
  HRGN backdrop = CreateRectRgnIndirect(&paint.rcPaint);
  if (any) {
    HRGN canvas = CreateRectRgnIndirect(&area);
    CombineRgn(backdrop, backdrop, canvas, RGN_DIFF);
    DeleteObject(canvas);
  }
  HBRUSH brush = CreateSolidBrush(kBackdrop);
  FillRgn(dc, backdrop, brush);
  DeleteObject(brush);
  DeleteObject(backdrop);
  if (any) PaintFrame(dc, area);
  EndPaint(window_, &paint);
}

// Composites the canvas pixels the area shows into frame_: each shown row asks the compositor
// for the canvas columns it spans once, then picks the pixel of each view column; view rows that
// show the same canvas row copy the row above.
void CanvasPane::PaintFrame(HDC dc, const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  frame_.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  const document::ViewMapping view = mapping();
  const int32_t firstColumn = view.CanvasPoint({area.left, area.top}).x;
  const int32_t lastColumn = view.CanvasPoint({area.right - 1, area.top}).x;
  const int32_t columns = lastColumn - firstColumn + 1;
  rowBytes_.resize(static_cast<size_t>(columns) * kPixelBytes);
  std::vector<size_t> pick(static_cast<size_t>(width));
  for (int i = 0; i < width; ++i) {
    pick[static_cast<size_t>(i)] = static_cast<size_t>(
        (view.CanvasPoint({area.left + i, area.top}).x - firstColumn) * kPixelBytes);
  }
  int32_t previousRow = -1;
  for (int j = 0; j < height; ++j) {
    uint32_t* line = frame_.data() + static_cast<size_t>(j) * static_cast<size_t>(width);
    const int32_t canvasRow = view.CanvasPoint({area.left, area.top + j}).y;
    if (canvasRow == previousRow) {
      std::copy_n(line - width, width, line);
      continue;
    }
    previousRow = canvasRow;
    compositor_->Row(canvasRow, firstColumn, columns, rowBytes_.data());
    for (int i = 0; i < width; ++i) {
      const uint8_t* bgr = rowBytes_.data() + pick[static_cast<size_t>(i)];
      line[i] = uint32_t{bgr[0]} | uint32_t{bgr[1]} << 8 | uint32_t{bgr[2]} << 16;
    }
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, area.left, area.top, static_cast<DWORD>(width), static_cast<DWORD>(height),
                    0, 0, 0, static_cast<UINT>(height), frame_.data(), &info, DIB_RGB_COLORS);
}

// Only a press on the canvas itself starts a stroke: the tool bounds its pixels by the buffer's
// byte size alone, so a point beside the canvas would land on a neighbouring row.
void CanvasPane::PenDown(document::Point viewPoint) {
  if (compositor_ == nullptr || !Contains(ShownArea(), viewPoint)) return;
  penIsDown_ = true;
  SetCapture(window_);
  lastPenPoint_ = mapping().CanvasPoint(viewPoint);
  report_(host::EventKind::kPenDown, mapping().PenDownPoint(viewPoint));
}

void CanvasPane::EndStroke(document::Point canvasPoint) {
  if (!penIsDown_) return;
  penIsDown_ = false;
  if (GetCapture() == window_) ReleaseCapture();
  report_(host::EventKind::kPenUp, canvasPoint);
}

// Ctrl+wheel zooms about the pointer; the wheel alone scrolls.
void CanvasPane::Wheel(WPARAM wParam, LPARAM lParam) {
  const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
  if ((GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) == 0) {
    for (int i = 0; i < std::abs(notches); ++i)
      Scroll(SB_VERT, notches > 0 ? SB_LINEUP : SB_LINEDOWN);
    return;
  }
  const document::Point screen = MessagePoint(lParam);
  POINT pointer{screen.x, screen.y};
  ScreenToClient(window_, &pointer);
  if (notches != 0) SetZoomAt(zoom_ + notches, {pointer.x, pointer.y});
}

LRESULT CanvasPane::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_SIZE: UpdateScrollRanges(); return 0;
    case WM_HSCROLL:
    case WM_VSCROLL: Scroll(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: Wheel(wParam, lParam); return 0;
    case WM_LBUTTONDOWN: PenDown(MessagePoint(lParam)); return 0;
    case WM_MOUSEMOVE:
      if (!penIsDown_) return 0;
      lastPenPoint_ = mapping().CanvasPoint(MessagePoint(lParam));
      report_(host::EventKind::kPenMove, lastPenPoint_);
      return 0;
    case WM_LBUTTONUP: EndStroke(mapping().CanvasPoint(MessagePoint(lParam))); return 0;
    case WM_CAPTURECHANGED: EndStroke(lastPenPoint_); return 0;
    default: return DefWindowProcW(window_, message, wParam, lParam);
  }
}

}  // namespace stamp::window
