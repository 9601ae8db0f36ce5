// Drives "stamp-host.exe gui" as a user does, with the system's own input (SendInput): the
// panel's File button, a sheet clicked in the load dialog and OK, a cell, a turn of the dial, a
// stamp on layer 1, the next cell, two stamps on layer 2, undo, a stamp on layer 0 at 2:1, then
// Quit, Yes to saving the changes, and drawing.ora typed into the Save dialog, in the working
// folder. Or, with "open FILE" in place of CANVAS SHEET: the window opens FILE and quits. The
// window writes its record's buffers when it closes (--dumps) and records its steps as a script
// (--record steps.txt); window_check.cmake compares the buffers, and the saved drawing, with the
// Linux host's runs of the same events (window_events.txt) and of the recorded script.
// Usage: window_driver HOST PROFILE DUMPS (CANVAS SHEET | open FILE). Every point is found again
// before it is used: the tool gives the window the whole screen after its dialog. The window's
// autosaves go to the working folder's local\, so that none left by an earlier run is offered.
#include <windows.h>

#include <cstdio>
#include <string>

#include "host/win32_window/window_menus.h"
#include "stamp/plugin.h"

namespace {

constexpr DWORD kSettle = 300;       // ms for the window to take one action
constexpr DWORD kFindLimit = 30000;  // ms for a window to appear
constexpr int kPanelScale = 2;

HANDLE host = nullptr;  // the host's process, ended when the drive fails

// Waits the time an action takes, then until the host waits for input again with none left
// (a loaded machine may take longer than the time).
void Settle(DWORD ms) {
  Sleep(ms);
  if (host != nullptr) WaitForInputIdle(host, kFindLimit);
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "window_driver: %s\n", what);
  if (host != nullptr) TerminateProcess(host, 1);
  std::exit(1);
}

void MoveTo(POINT screen) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  // The middle of the pixel, which the system's scaling of 0..65535 to the screen lands in.
  input.mi.dx = (2 * screen.x + 1) * 65536 / (2 * width);
  input.mi.dy = (2 * screen.y + 1) * 65536 / (2 * height);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
  Settle(kSettle / 3);
  POINT at{};
  GetCursorPos(&at);
  if (at.x != screen.x || at.y != screen.y) {
    std::fprintf(stderr, "window_driver: pointer at %ld,%ld for %ld,%ld (screen %dx%d)\n", at.x,
                 at.y, screen.x, screen.y, width, height);
    Fail("the pointer did not reach its point");
  }
}

void Button(DWORD flag) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flag;
  SendInput(1, &input, sizeof input);
  Settle(kSettle);
}

// A press at from, moves through the points between, the release at the last.
void Drag(std::initializer_list<POINT> points) {
  MoveTo(*points.begin());
  Button(MOUSEEVENTF_LEFTDOWN);
  for (const POINT point : points) MoveTo(point);
  Button(MOUSEEVENTF_LEFTUP);
}

// Text typed as the keyboard's characters.
void Type(const std::wstring& text) {
  for (const wchar_t unit : text) {
    for (const DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = unit;
      input.ki.dwFlags = KEYEVENTF_UNICODE | up;
      SendInput(1, &input, sizeof input);
    }
  }
  Sleep(kSettle);
}

void Keys(std::initializer_list<WORD> keys) {
  for (const WORD key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    SendInput(1, &input, sizeof input);
  }
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *key;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
  }
  Settle(kSettle);
}

POINT Centre(HWND window) {
  RECT placed{};
  GetWindowRect(window, &placed);
  return {(placed.left + placed.right) / 2, (placed.top + placed.bottom) / 2};
}

POINT InClient(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  return point;
}

template <typename Find>
HWND WaitFor(const char* what, Find find) {
  for (DWORD waited = 0; waited < kFindLimit; waited += kSettle) {
    if (HWND found = find(); found != nullptr) return found;
    Sleep(kSettle);
  }
  Fail(what);
}

struct DialogSearch {
  HWND owner;
  HWND found;
};

// EnumWindows' callback: a system callback, so the calling convention is the system's own.
BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<DialogSearch*>(data);
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring(name) == L"#32770" && GetWindow(window, GW_OWNER) == search->owner &&
      IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// A dialog (a message box too) that the window owns.
HWND OwnedDialog(HWND owner) {
  DialogSearch search{owner, nullptr};
  EnumWindows(FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct Window {
  HWND main;
  HWND panel() const { return FindWindowExW(main, nullptr, L"StampPanelPane", nullptr); }
  HWND canvas() const { return FindWindowExW(main, nullptr, L"StampCanvasPane", nullptr); }

  // The middle of the panel pane's 2x2 block that shows panel pixel (x, y).
  POINT Panel(int x, int y) const {
    return InClient(panel(), x * kPanelScale + 1, y * kPanelScale + 1);
  }
  // Not scrolled, canvas pixel (x, y) at zoom 2^zoom to 1 is the pane's block from
  // (x << zoom, y << zoom); its middle is pressed.
  POINT Canvas(int x, int y, int zoom = 0) const {
    return InClient(canvas(), (x << zoom) + (1 << zoom) / 2, (y << zoom) + (1 << zoom) / 2);
  }
  void ChooseLayer(int layer) const {
    const POINT at = Centre(GetDlgItem(main, stamp::window::kLayerChooser + layer));
    MoveTo(at);
    Button(MOUSEEVENTF_LEFTDOWN);
    Button(MOUSEEVENTF_LEFTUP);
  }
  void Click(POINT at) const { Drag({at}); }
};

// The dialog's button pressed until the dialog has gone: the first dialog a fresh Wine prefix
// shows may still be busy (its fonts, say) and lose the first press.
void PressUntilClosed(HWND dialog, int button) {
  for (DWORD waited = 0; IsWindow(dialog) && IsWindowVisible(dialog); waited += kSettle) {
    if (waited >= kFindLimit) Fail("a dialog did not close");
    if (waited % (10 * kSettle) == 0) Drag({Centre(GetDlgItem(dialog, button))});
    Sleep(kSettle);
  }
}

// Until the window's place has held for a while: after its dialog the tool moves the window to
// the whole screen, which a fresh Wine prefix may take seconds to do.
void WaitUntilStill(HWND pane) {
  constexpr int kStillSettles = 8;
  RECT last{};
  for (int still = 0, waited = 0; still < kStillSettles; ++waited) {
    if (waited * kSettle >= kFindLimit) Fail("the window did not come to rest");
    Sleep(kSettle);
    RECT now{};
    GetWindowRect(pane, &now);
    still = EqualRect(&now, &last) ? still + 1 : 0;
    last = now;
  }
}

// The list entry named sheet clicked, then OK.
void ChooseSheet(HWND dialog, const std::wstring& sheet) {
  HWND list = GetDlgItem(dialog, STAMP_LOAD_DIALOG_LIST);
  if (list == nullptr) Fail("the load dialog has no list");
  const auto entry = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(sheet.c_str()));
  RECT item{};
  if (entry == LB_ERR || SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(entry),
                                      reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
    Fail("the load dialog does not list the sheet");
  }
  Drag({InClient(list, item.left + 10, (item.top + item.bottom) / 2)});
  PressUntilClosed(dialog, IDOK);
}

// The file dialog's name box cleared, path typed into it, and Enter.
void SaveAs(HWND dialog, const std::wstring& path) {
  constexpr int kNameCombo = 0x47c;  // the dialog's file-name box: an edit in a combo box
  constexpr int kNameEdit = 0x480;   // or a plain edit
  HWND name = GetDlgItem(dialog, kNameCombo);
  if (name == nullptr) name = GetDlgItem(dialog, kNameEdit);
  if (name == nullptr) Fail("the save dialog has no file name box");
  Drag({Centre(name)});
  Keys({VK_END});
  Keys({VK_SHIFT, VK_HOME});
  Type(path);
  Keys({VK_RETURN});
}

// A dialog the window owns other than the one it showed before.
HWND NextDialog(const char* what, HWND main, HWND before) {
  return WaitFor(what, [&]() -> HWND {
    HWND found = OwnedDialog(main);
    return found != before ? found : nullptr;
  });
}

std::wstring WorkingFolder() {
  std::wstring folder(MAX_PATH, L'\0');
  folder.resize(GetCurrentDirectoryW(MAX_PATH, folder.data()));
  return folder;
}

// The stamps of window_events.txt, and the quit that saves them.
void DrawAndSave(const Window& window, const wchar_t* sheet) {
  window.Click(window.Panel(STAMP_FILE_BUTTON_PRESS_X, STAMP_FILE_BUTTON_PRESS_Y));
  ChooseSheet(WaitFor("no load dialog", [&] { return OwnedDialog(window.main); }), sheet);
  WaitUntilStill(window.panel());
  window.Click(window.Panel(155, 55));                                        // cell 5
  Drag({window.Panel(75, 30), window.Panel(100, 60), window.Panel(95, 85)});  // the dial
  window.ChooseLayer(1);
  Drag({window.Canvas(50, 60), window.Canvas(60, 70)});
  Keys({'B'});
  window.ChooseLayer(2);
  Drag({window.Canvas(100, 120), window.Canvas(110, 130)});
  Drag({window.Canvas(30, 150)});
  Keys({VK_CONTROL, 'Z'});
  Keys({VK_CONTROL, VK_OEM_PLUS});  // 2:1, the whole canvas still in the pane
  window.ChooseLayer(0);
  Drag({window.Canvas(80, 100, 1), window.Canvas(90, 40, 1)});
  Keys({VK_CONTROL, 'Q'});
  HWND question = WaitFor("no question before quitting", [&] { return OwnedDialog(window.main); });
  Drag({Centre(GetDlgItem(question, IDYES))});
  SaveAs(NextDialog("no save dialog", window.main, question), WorkingFolder() + L"\\drawing.ora");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const bool opening = argc == 6 && std::wstring(argv[4]) == L"open";
  if (argc != 6) Fail("usage: window_driver HOST PROFILE DUMPS (CANVAS SHEET | open FILE)");
  std::wstring command =
      L"\"" + std::wstring(argv[1]) + L"\" gui --profile \"" + argv[2] + L"\" --dumps \"" +
      argv[3] + L"\" " +
      (opening ? L"\"" + std::wstring(argv[5]) + L"\""
               : L"--record steps.txt --canvas " + std::wstring(argv[4]));
  SetEnvironmentVariableW(L"LOCALAPPDATA", (WorkingFolder() + L"\\local").c_str());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    Fail("cannot start the host");
  }
  host = process.hProcess;
  WaitForInputIdle(process.hProcess, kFindLimit);
  const Window window{
      WaitFor("no window", [] { return FindWindowW(L"StampHostWindow", nullptr); })};
  Sleep(kSettle);
  if (opening) {
    Keys({VK_CONTROL, 'Q'});  // an opened drawing has nothing unsaved: no question
  } else {
    DrawAndSave(window, argv[5]);
  }

  if (WaitForSingleObject(process.hProcess, kFindLimit) != WAIT_OBJECT_0)
    Fail("the host did not end");
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  return static_cast<int>(code);
}
