// What the window's controls and menus do: each event's export result acted on and shown, the
// layer choice, undo and redo, a new canvas, a new sheet, help, dropped files, and quitting. The
// drawing's files are window_files.cpp's.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "host/document/recent_files.h"
#include "host/document/tool_profile.h"
#include "host/sheets/sheet_saving.h"
#include "host/win32_window/canvas_size_question.h"
#include "host/win32_window/new_sheet_dialog.h"
#include "host/win32_window/stamp_frame.h"
#include "host/win32_window/wide_text.h"
#include "host/win32_window/window_menus.h"
#include "stamp/host_record.h"

namespace stamp::window {
namespace {

constexpr wchar_t kHelpTitle[] = L"Stamp help";
constexpr wchar_t kHelpText[] =
    L"Presses small pictures, taken from a stamp sheet, onto a canvas of three layers.\n\n"
    L"1. Choose a sheet. Press File on the panel, pick a sheet from the list (or type its path, "
    L"or press File in the dialog to browse) and press OK.\n"
    L"2. Pick a stamp. Click one of the twelve cells, or press A for the previous and B for the "
    L"next cell.\n"
    L"3. document::Size. + and - set the stamp's size, from 30 down to 10 pixels; the number "
    L"beside them "
    L"shows it.\n"
    L"4. Angle. Press on the dial and drag around it; the number below the dial is the angle in "
    L"degrees, clockwise.\n"
    L"5. Stamp. Choose the layer, press the mouse on the canvas, move the preview into place and "
    L"let go: the stamp is pressed into the layer there.\n\n"
    L"Stamps multiply with what lies below them, so their white leaves the picture alone. Layer 0 "
    L"lies at the back, layer 2 at the front.\n\n"
    L"Ctrl+Z takes back the last stamp, step by step; Ctrl+Y or Ctrl+Shift+Z does it again. Zoom "
    L"(or Ctrl+plus, Ctrl+minus, Ctrl+wheel) shows the canvas from 1:4 to 8:1; zoomed in, each "
    L"canvas pixel is a square block and the stamp still lands under the pointer.\n\n"
    L"File > Save keeps the three layers in an OpenRaster file (.ora), which File > Open (or a "
    L"drop on the window) opens again; File > Open picture puts a PNG, JPEG or BMP picture into "
    L"layer 0. File > Export picture as PNG writes the whole picture, the three layers as one, "
    L"without the stamp under the pointer. File > New canvas asks the size. The window asks "
    L"before unsaved work is dropped, autosaves the drawing, and offers it again after a crash. "
    L"The tool keeps its settings (cell, size, angle, sheet) in the profile when "
    L"the window closes.";
std::wstring OutcomeText(const host::EventOutcome& outcome, int32_t layer) {
  if (outcome.panelChanged) return L"the panel changed";
  if (outcome.layerChanged) return L"stamped onto layer " + std::to_wstring(layer);
  if (outcome.canvasChanged) return L"preview";
  return L"not taken";
}

// What the status line calls an event with its point.
std::wstring EventText(host::EventKind kind, document::Point point) {
  const std::wstring at = L"(" + std::to_wstring(point.x) + L", " + std::to_wstring(point.y) + L")";
  switch (kind) {
    case host::EventKind::kPanelDown: return L"Panel pen down at " + at;
    case host::EventKind::kPanelMove: return L"Panel pen move to " + at;
    case host::EventKind::kPanelUp: return L"Panel pen up at " + at;
    case host::EventKind::kPenDown: return L"Pen down at " + at;
    case host::EventKind::kPenMove: return L"Pen move to " + at;
    case host::EventKind::kPenUp: return L"Pen up at " + at;
    case host::EventKind::kKeyA: return L"Key A";
    case host::EventKind::kKeyB: return L"Key B";
  }
  return {};
}

std::wstring StepsText(const wchar_t* step, int32_t layer, size_t more) {
  return std::wstring(step) + L" on layer " + std::to_wstring(layer) + L" (" +
         std::to_wstring(more) + L" more steps)";
}

}  // namespace

// The tool's start-up message boxes run their own loop before the drawing exists.
void StampFrame::Pen(host::EventKind kind, document::Point point) {
  if (!document_) return;
  Send(EventText(kind, point), {kind, point.x, point.y});
}

void StampFrame::Send(const std::wstring& event, const host::PluginEvent& sent) {
  Apply(event, document_->Send(sent));
}

void StampFrame::Apply(const std::wstring& event, const host::EventOutcome& outcome) {
  if (outcome.panelChanged) InvalidateRect(panel_->window(), nullptr, FALSE);
  if (outcome.canvasChanged) canvas_->CanvasChanged();
  const int32_t layer = document_->session().record().getInt(STAMP_REC_ACTIVE_LAYER);
  Status(event + L": " + OutcomeText(outcome, layer));
}

void StampFrame::ChooseLayer(int32_t layer) {
  document_->session().record().setInt(STAMP_REC_ACTIVE_LAYER, layer);
  Status(L"Stamps go onto layer " + std::to_wstring(layer));
}

void StampFrame::Command(UINT command, UINT notice) {
  if (command >= kLayerChooser && command < kLayerChooser + 3) {
    if (notice == BN_CLICKED) ChooseLayer(static_cast<int32_t>(command - kLayerChooser));
    return;
  }
  switch (command) {
    case kZoomChooser:
      if (notice == CBN_SELCHANGE) {
        canvas_->SetZoom(document::ViewMapping::kMinZoom +
                         static_cast<int>(SendMessageW(zoom_, CB_GETCURSEL, 0, 0)));
      }
      return;
    case kNewCanvas: return NewCanvas();
    case kOpenDrawing: return OpenWork();
    case kOpenPicture: return OpenPicture();
    case kSave: SaveWork(); return;
    case kSaveAs: SaveWorkAs(); return;
    case kExportPng: return ExportPicture();
    case kRecordSteps: return RecordSteps();
    case kQuit: return Close();
    case kUndo: return Undo();
    case kRedo: return Redo();
    case kZoomIn: return canvas_->SetZoom(canvas_->zoom() + 1);
    case kZoomOut: return canvas_->SetZoom(canvas_->zoom() - 1);
    case kActualSize: return canvas_->SetZoom(0);
    case kPreviousCell: return Send(L"Key A", {host::EventKind::kKeyA});
    case kNextCell: return Send(L"Key B", {host::EventKind::kKeyB});
    case kNewSheet: return NewSheet();
    case kHelp: return ShowHelp();
    default:
      if (command >= kRecentFile && command < kRecentFile + document::kMaxRecentFiles) {
        OpenRecent(command - kRecentFile);
      }
      return;
  }
}

void StampFrame::Undo() {
  const int32_t layer = document_->Undo();
  Status(layer < 0 ? L"Nothing to undo"
                   : StepsText(L"Undo", layer, document_->history().undoSteps()));
}

void StampFrame::Redo() {
  const int32_t layer = document_->Redo();
  Status(layer < 0 ? L"Nothing to redo"
                   : StepsText(L"Redo", layer, document_->history().redoSteps()));
}

// The size comes first, so that Cancel there leaves everything as it was.
void StampFrame::NewCanvas() {
  const host::HostRecord& shown = document_->session().record();
  const std::optional<document::Size> size =
      AskCanvasSize(window_, settings_.NewCanvasSize({shown.canvasWidth(), shown.canvasHeight()}));
  if (!size || !ConfirmDiscard(L"New canvas")) return;
  settings_.KeepNewCanvasSize(*size);
  if (const host::Status resized = document_->Resize(size->width, size->height); !resized.ok()) {
    return Warn(L"New canvas", WideText(resized.error()));
  }
  document_->Clear();
  Status(L"New canvas of " + std::to_wstring(size->width) + L"x" + std::to_wstring(size->height));
}

void StampFrame::NewSheet() {
  const std::optional<std::filesystem::path> sheet = AskNewSheet(window_);
  if (!sheet) return;
  Apply(L"New sheet loaded", document_->LoadSheet(host::ToolPath(*sheet)));
}

void StampFrame::ShowHelp() { MessageBoxW(window_, kHelpText, kHelpTitle, MB_OK); }

// One file dropped opens as one given on the command line; a drag of several is refused.
void StampFrame::Drop(HDROP drop) {
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  std::wstring name;
  if (count == 1) {
    name.resize(DragQueryFileW(drop, 0, nullptr, 0) + 1);
    name.resize(DragQueryFileW(drop, 0, name.data(), static_cast<UINT>(name.size())));
  }
  DragFinish(drop);
  if (count != 1) return Warn(L"Open", L"Drop one file at a time.");
  OpenFile(std::filesystem::path(name));
}

// The autosave goes with a drawing the user chose to close.
void StampFrame::Close() {
  if (!ConfirmDiscard(L"Quit")) return;
  document_->autosave().Forget();
  DestroyWindow(window_);
}

// The system is ending the session, with no time for questions: unsaved changes are autosaved,
// for the next window to offer.
void StampFrame::EndSession() {
  if (document_ && document_->unsaved()) document_->autosave().SaveNow();
}

// The status line starts with the settings the tool read from the profile, the angle counted
// clockwise as on the dial, and on a first start says how to pick another sheet than the sample.
void StampFrame::ShowStartSettings() {
  const std::u16string text =
      document::StartSettingsText(document_->session().record().app(), document_->firstStart());
  Status(std::wstring(text.begin(), text.end()));
}

}  // namespace stamp::window
