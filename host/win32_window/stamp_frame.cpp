#include "host/win32_window/stamp_frame.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <stdexcept>

#include "host/win32_window/system_user.h"
#include "host/win32_window/wide_text.h"
#include "host/win32_window/window_class.h"
#include "host/win32_window/window_menus.h"
#include "stamp/host_record.h"

namespace stamp::window {
namespace {

constexpr int kMargin = 6;
constexpr int kRowHeight = 24;
constexpr int kZoomLabelWidth = 48;
constexpr int kZoomChooserWidth = 90;
constexpr int kZoomListHeight = 200;
constexpr int kHintHeight = 36;
// A first window covers this share of the screen's work area.
constexpr double kFirstShare = 0.8;
constexpr const wchar_t* kLayerNames[] = {L"Layer 0 (back)", L"Layer 1", L"Layer 2 (front)"};
// The window timer that brings the autosave's tick.
constexpr UINT_PTR kAutosaveTimer = 1;
constexpr wchar_t kKeysHint[] =
    L"A / B: previous / next cell    Ctrl+Z / Ctrl+Y: undo / redo    F1: help";

PlatHandle AsPlatHandle(HWND window) {
  return static_cast<PlatHandle>(reinterpret_cast<uintptr_t>(window));
}

RECT FirstPlacement() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = static_cast<int>((work.right - work.left) * kFirstShare);
  const int height = static_cast<int>((work.bottom - work.top) * kFirstShare);
  const int left = work.left + (work.right - work.left - width) / 2;
  const int top = work.top + (work.bottom - work.top - height) / 2;
  return {left, top, left + width, top + height};
}

}  // namespace

StampFrame::StampFrame(const host::SessionOptions& options,
                       std::optional<std::filesystem::path> settings)
    : settings_(settings), user_(std::make_unique<SystemUser>()) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_BAR_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
  font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  CreateObjectWindow(this, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_ACCEPTFILES, nullptr,
                     L"Untitled - Stamp");
  // A window whose controls or tool cannot be made goes with this object, so that no message
  // reaches the object once it is gone.
  try {
    Build(options);
  } catch (...) {
    DestroyWindow(window_);
    if (keys_ != nullptr) DestroyAcceleratorTable(keys_);
    throw;
  }
}

// The tool's start-up messages are owned by the window, shown first.
void StampFrame::Build(const host::SessionOptions& options) {
  keys_ = BuildKeys();
  SetMenu(window_, BuildMenuBar(&recentMenu_));
  BuildControls();
  const RECT placed = settings_.Placement().value_or(FirstPlacement());
  SetWindowPos(window_, nullptr, placed.left, placed.top, placed.right - placed.left,
               placed.bottom - placed.top, SWP_NOZORDER);
  host::SessionOptions shown = options;
  shown.mainWindow = AsPlatHandle(window_);
  ShowWindow(window_, SW_SHOW);
  document_ = std::make_unique<document::Document>(shown, *user_, *this);
  ShowSession();
  OnStateChanged();
  ShowStartSettings();
  OfferRecovery();
}

StampFrame::~StampFrame() {
  document_.reset();
  if (window_ != nullptr) DestroyWindow(window_);
  DestroyAcceleratorTable(keys_);
}

HWND StampFrame::AddControl(const wchar_t* className, const wchar_t* text, DWORD style, UINT id) {
  HWND control = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                 window_, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
  if (control == nullptr) throw std::runtime_error("cannot create the window's controls");
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  return control;
}

void StampFrame::BuildControls() {
  canvas_ = std::make_unique<CanvasPane>(
      window_, [this](host::EventKind kind, document::Point point) { Pen(kind, point); },
      [this] { WriteView(); });
  panel_ = std::make_unique<PanelPane>(
      window_, [this](host::EventKind kind, document::Point point) { Pen(kind, point); });
  for (int32_t layer = 0; layer < 3; ++layer) {
    layers_[layer] = AddControl(WC_BUTTONW, kLayerNames[layer],
                                BS_AUTORADIOBUTTON | (layer == 0 ? WS_GROUP | WS_TABSTOP : 0),
                                kLayerChooser + static_cast<UINT>(layer));
  }
  AddControl(WC_STATICW, L"Zoom:", SS_LEFT, 0);
  zoom_ = AddControl(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kZoomChooser);
  for (int zoom = document::ViewMapping::kMinZoom; zoom <= document::ViewMapping::kMaxZoom;
       ++zoom) {
    const std::string name = document::ViewMapping::Name(zoom);
    const std::wstring shown(name.begin(), name.end());  // digits and a colon: ASCII
    SendMessageW(zoom_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
  }
  keysHint_ = AddControl(WC_STATICW, kKeysHint, SS_LEFT, 0);
  EnableWindow(keysHint_, FALSE);
  status_ = AddControl(STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP, 0);
}

// The canvas takes the width the tool's column leaves: the panel, the layers, the zoom and the
// keys' hint stacked at the right, the status line along the bottom.
void StampFrame::Layout() {
  RECT client{};
  GetClientRect(window_, &client);
  SendMessageW(status_, WM_SIZE, 0, 0);
  RECT status{};
  GetWindowRect(status_, &status);
  const int bottom = client.bottom - (status.bottom - status.top);
  const document::Size panel = PanelPane::PaneSize();
  const int column = std::max<int>(0, client.right - panel.width - kMargin);
  MoveWindow(canvas_->window(), 0, 0, std::max(0, column - kMargin), std::max(0, bottom), TRUE);
  MoveWindow(panel_->window(), column, 0, panel.width, panel.height, TRUE);
  int y = panel.height + kMargin;
  for (HWND layer : layers_) {
    MoveWindow(layer, column, y, panel.width, kRowHeight, TRUE);
    y += kRowHeight;
  }
  MoveWindow(GetWindow(zoom_, GW_HWNDPREV), column, y + 4, kZoomLabelWidth, kRowHeight, TRUE);
  MoveWindow(zoom_, column + kZoomLabelWidth, y, kZoomChooserWidth, kZoomListHeight, TRUE);
  y += kRowHeight + kMargin;
  MoveWindow(keysHint_, column, y, panel.width, kHintHeight, TRUE);
}

// The canvas pane paints from the session's compositor; the tool stamps into the layer chosen.
void StampFrame::ShowSession() {
  host::Session& session = document_->session();
  const host::HostRecord& record = session.record();
  canvas_->SetCanvas(session.compositor(), {record.canvasWidth(), record.canvasHeight()});
  const int32_t layer = std::clamp(record.getInt(STAMP_REC_ACTIVE_LAYER), 0, 2);
  for (int32_t i = 0; i < 3; ++i) {
    SendMessageW(layers_[i], BM_SETCHECK, i == layer ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  session.record().setInt(STAMP_REC_ACTIVE_LAYER, layer);
  panel_->Show(record.raster(STAMP_REC_PANEL_BUFFER));
  WriteView();
}

void StampFrame::TickAfter(std::chrono::milliseconds delay) {
  SetTimer(window_, kAutosaveTimer, static_cast<UINT>(delay.count()), nullptr);
}

void StampFrame::CancelTick() { KillTimer(window_, kAutosaveTimer); }

void StampFrame::OnAutosaveFailed(const std::string& reason) {
  Status(L"Autosave failed: " + WideText(reason) + L"; the drawing is still here");
}

// The title names the drawing's file, marked while it has unsaved changes.
void StampFrame::OnStateChanged() {
  const std::filesystem::path& path = document_->path();
  const std::wstring name = path.empty() ? L"Untitled" : path.filename().wstring();
  SetWindowTextW(window_, (name + (document_->unsaved() ? L"*" : L"") + L" - Stamp").c_str());
}

void StampFrame::OnLayersChanged() { canvas_->CanvasChanged(); }

void StampFrame::OnRestarted() { ShowSession(); }

// What the window says stays in the status line's one part; a menu item's tip is shown over it
// in the line's simple mode while the menus are open, so a tip never takes the place of what a
// command said.
void StampFrame::Status(const std::wstring& text) {
  SendMessageW(status_, SB_SIMPLE, FALSE, 0);
  SetWindowTextW(status_, text.c_str());
}

void StampFrame::ShowTip(const std::wstring& tip) {
  SendMessageW(status_, SB_SIMPLE, TRUE, 0);
  SendMessageW(status_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(tip.c_str()));
}

void StampFrame::Warn(const wchar_t* title, const std::wstring& text) {
  MessageBoxW(window_, text.c_str(), title, MB_OK | MB_ICONWARNING);
}

void StampFrame::WriteView() {
  if (!document_) return;  // the view is written once the session is shown
  host::HostRecord& record = document_->session().record();
  const document::ViewMapping view = canvas_->mapping();
  record.setInt(STAMP_REC_VIEW_X, view.RecordOrigin().x);
  record.setInt(STAMP_REC_VIEW_Y, view.RecordOrigin().y);
  record.setInt(STAMP_REC_ZOOM_SHIFT, view.RecordShift());
  SendMessageW(zoom_, CB_SETCURSEL,
               static_cast<WPARAM>(view.zoom - document::ViewMapping::kMinZoom), 0);
}

void StampFrame::RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorW(window_, keys_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

LRESULT StampFrame::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (canvas_) Layout();
      return 0;
    case WM_COMMAND: Command(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_MENUSELECT:
      if ((HIWORD(wParam) & MF_POPUP) == 0 && LOWORD(wParam) != 0) {
        ShowTip(MenuTip(LOWORD(wParam)));
      }
      return 0;
    case WM_EXITMENULOOP: SendMessageW(status_, SB_SIMPLE, FALSE, 0); return 0;
    case WM_TIMER:
      if (wParam == kAutosaveTimer && document_) {
        CancelTick();  // one tick for each request
        document_->Tick();
      }
      return 0;
    case WM_INITMENUPOPUP:
      if (reinterpret_cast<HMENU>(wParam) == recentMenu_) FillRecentMenu();
      return 0;
    case WM_ENDSESSION:
      if (wParam) EndSession();
      return 0;
    case WM_DROPFILES: Drop(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_CLOSE: Close(); return 0;
    case WM_DESTROY: {
      WINDOWPLACEMENT placement{};
      placement.length = sizeof placement;
      if (GetWindowPlacement(window_, &placement))
        settings_.KeepPlacement(placement.rcNormalPosition);
      PostQuitMessage(0);
      return 0;
    }
    default: return DefWindowProcW(window_, message, wParam, lParam);
  }
}

}  // namespace stamp::window
