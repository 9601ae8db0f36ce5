// The stamp tool's window on Windows: the canvas (the host's composite of the three layers and
// the overlay), the tool's panel at twice its size, the layer and zoom choosers, the menus and a
// status line, as the Linux window has them. The window is a view over the drawing's document
// (host/document/document.h), which holds the session, the history, the autosave and the files;
// the window shows them, asks the user, and sends what the user does through the session: every
// pen, panel and key event goes to the tool's export, and the export's result says what is shown
// again (2: the panel; 9 or 1: the canvas). The autosave's tick is a window timer.
//
// The window is the record's main and frame window: the tool's load dialog (run inside its panel
// export), its file picker and its message boxes are owned by it and run inside its message
// loop, and the tool's full-screen and window-position requests act on it. The work is not
// dropped without a word: Quit, closing the window, New canvas and Open ask to save, discard or
// cancel while there are unsaved changes; at start the window offers to recover a drawing that a
// window which ended without closing left in the autosave folder (%LOCALAPPDATA%\stamp-host).
// The window's size and place, the last new canvas's size and the recent files are kept in
// window.ini beside the default profile (%APPDATA%\stamp-host).
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "host/document/document.h"
#include "host/session/session.h"
#include "host/win32_window/canvas_pane.h"
#include "host/win32_window/panel_pane.h"
#include "host/win32_window/system_user.h"
#include "host/win32_window/window_settings.h"

namespace stamp::window {

class StampFrame final : public document::DocumentView {
 public:
  static constexpr wchar_t kClassName[] = L"StampHostWindow";
  static const wchar_t* Cursor() { return IDC_ARROW; }

  // Builds the window and the drawing (which starts the tool) and shows them. Throws
  // std::runtime_error naming what failed.
  StampFrame(const host::SessionOptions& options, std::optional<std::filesystem::path> settings);
  ~StampFrame();
  StampFrame(const StampFrame&) = delete;
  StampFrame& operator=(const StampFrame&) = delete;

  HWND window() const { return window_; }
  document::Document& document() { return *document_; }
  // A file handed from outside (the command line, a drop, the recent list), opened by its kind:
  // a drawing replaces this one (after the question about unsaved changes), a picture goes into
  // layer 0; anything else is refused with a message and the drawing is untouched.
  void OpenFile(const std::filesystem::path& path);
  // The drawing's steps from now on go to the script at path (Document::StartRecording), the
  // drawing started again white once unsaved changes were asked about; a file that cannot be
  // written is a message.
  void StartRecording(const std::filesystem::path& path);
  // Runs the window's messages until it is closed; the keys of the menus are translated first.
  void RunMessageLoop();

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;

 private:
  // DocumentView.
  void OnStateChanged() override;
  void OnLayersChanged() override;
  void OnRestarted() override;
  void TickAfter(std::chrono::milliseconds delay) override;
  void CancelTick() override;
  void OnAutosaveFailed(const std::string& reason) override;
  void OnRecordingEnded(const std::string& why) override;

  void Build(const host::SessionOptions& options);
  void BuildControls();
  HWND AddControl(const wchar_t* className, const wchar_t* text, DWORD style, UINT id);
  void Layout();
  void ShowSession();
  void ShowStartSettings();
  void Status(const std::wstring& text);
  void ShowTip(const std::wstring& tip);

  // What the controls do: an event sent through the session, and what it changed shown.
  void Send(const std::wstring& event, const host::PluginEvent& sent);
  void Apply(const std::wstring& event, const host::EventOutcome& outcome);
  void Pen(host::EventKind kind, document::Point point);
  void WriteView();
  void ChooseLayer(int32_t layer);
  void Command(UINT command, UINT notice);
  void Undo();
  void Redo();
  void NewCanvas();
  // Stamp > New sheet from pictures: the sheet made and saved, then loaded through the tool's
  // load dialog as a user would load it.
  void NewSheet();
  void ExportPicture();
  void RecordSteps();
  void ShowRecording();
  void ShowHelp();
  void Drop(HDROP drop);
  void Close();
  void EndSession();

  // The drawing's files (window_files.cpp).
  bool ConfirmDiscard(const wchar_t* action);
  bool SaveWork();
  bool SaveWorkAs();
  bool SaveWorkTo(const std::filesystem::path& path);
  void OpenWork();
  void OpenWorkFrom(const std::filesystem::path& path);
  void OpenPicture();
  void OpenPictureFrom(const std::filesystem::path& path);
  void OpenRecent(size_t index);
  void FillRecentMenu();
  void AddRecentFile(const std::filesystem::path& path);
  // The offer to recover the drawings windows that ended without closing left behind.
  void OfferRecovery();
  void Warn(const wchar_t* title, const std::wstring& text);

  WindowSettings settings_;
  HFONT font_ = nullptr;
  HACCEL keys_ = nullptr;
  std::unique_ptr<CanvasPane> canvas_;
  std::unique_ptr<PanelPane> panel_;
  HWND layers_[3] = {};
  HWND zoom_ = nullptr;
  HWND keysHint_ = nullptr;
  HWND status_ = nullptr;
  HMENU recentMenu_ = nullptr;
  std::unique_ptr<SystemUser> user_;  // outlives the document
  std::unique_ptr<document::Document> document_;
};

}  // namespace stamp::window
