// The window's menus and keys, each command named once: its menu, its label with its keys and
// the tip the status line shows while it is highlighted. File > Open recent is a submenu the
// window fills as it opens, one item per recent file. The keys are the Linux window's.
#pragma once

#include <windows.h>

#include <string>

namespace stamp::window {

enum Command : UINT {
  kNewCanvas = 100,
  kOpenDrawing,
  kOpenPicture,
  kOpenRecent,
  kSave,
  kSaveAs,
  kExportPng,
  kRecordSteps,
  kQuit,
  kUndo,
  kRedo,
  kZoomIn,
  kZoomOut,
  kActualSize,
  kPreviousCell,
  kNextCell,
  kNewSheet,
  kHelp,
  // The controls beside the panel.
  kLayerChooser,  // three radio buttons, kLayerChooser + layer
  kZoomChooser = kLayerChooser + 3,
  kRecentFile,  // the items of Open recent, kRecentFile + index in the list
};

// File > Record steps, which reads Stop recording while a recording runs.
inline constexpr wchar_t kRecordLabel[] = L"&Record steps as script...";
inline constexpr wchar_t kStopRecordingLabel[] = L"Stop &recording";

// The menu bar with every command. *recent is the Open recent submenu.
HMENU BuildMenuBar(HMENU* recent);
// The keys of the commands, for the message loop.
HACCEL BuildKeys();
// What the status line says while the menu item is highlighted; empty for none.
std::wstring MenuTip(UINT command);

}  // namespace stamp::window
