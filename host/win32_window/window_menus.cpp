#include "host/win32_window/window_menus.h"

#include <iterator>
#include <span>
#include <stdexcept>

namespace stamp::window {
namespace {

struct MenuEntry {
  UINT command;  // 0: a separator
  const wchar_t* label;
  const wchar_t* tip;
};

constexpr MenuEntry kFileMenu[] = {
    {kNewCanvas, L"&New canvas...\tCtrl+N", L"Start again on white layers of the size you choose"},
    {kOpenDrawing, L"&Open...\tCtrl+O", L"Open layered work saved as OpenRaster (.ora)"},
    {kOpenRecent, L"Open &recent", L"The last ten drawings and pictures opened or saved"},
    {kOpenPicture, L"Open &picture into layer 0...\tCtrl+Shift+O",
     L"Put a PNG, JPEG or BMP picture into the back layer, to stamp on it"},
    {kSave, L"&Save\tCtrl+S", L"Keep the three layers in an OpenRaster file (.ora)"},
    {kSaveAs, L"Save &as...\tCtrl+Shift+S", L"Keep the three layers in another OpenRaster file"},
    {kExportPng, L"&Export picture as PNG...\tCtrl+E",
     L"Write the picture as it is shown to a PNG file"},
    {kRecordSteps, kRecordLabel,
     L"Write what you draw from a white canvas as a script that stamp-host run replays"},
    {0, nullptr, nullptr},
    {kQuit, L"&Quit\tCtrl+Q", L"Close the window; the tool keeps its settings"},
};

constexpr MenuEntry kEditMenu[] = {
    {kUndo, L"&Undo\tCtrl+Z", L"Take back the last stamp or picture, one step at a time"},
    {kRedo, L"&Redo\tCtrl+Y", L"Do again what Undo took back"},
};

constexpr MenuEntry kViewMenu[] = {
    {kZoomIn, L"Zoom &in\tCtrl++", L"Show the canvas larger, up to 8:1"},
    {kZoomOut, L"Zoom &out\tCtrl+-", L"Show the canvas smaller, down to 1:4"},
    {kActualSize, L"&Actual size\tCtrl+0", L"One canvas pixel to a screen pixel"},
};

constexpr MenuEntry kStampMenu[] = {
    {kPreviousCell, L"&Previous cell\tA", L"The stamp of the cell before the chosen one"},
    {kNextCell, L"&Next cell\tB", L"The stamp of the cell after the chosen one"},
    {0, nullptr, nullptr},
    {kNewSheet, L"New sheet from &pictures...", L"Make a stamp sheet of up to twelve pictures"},
};

constexpr MenuEntry kHelpMenu[] = {
    {kHelp, L"&Help...\tF1", L"How to choose a sheet, pick a stamp and press it"},
};

struct Menu {
  const wchar_t* label;
  std::span<const MenuEntry> entries;
};

constexpr Menu kMenus[] = {{L"&File", kFileMenu},
                           {L"&Edit", kEditMenu},
                           {L"&View", kViewMenu},
                           {L"&Stamp", kStampMenu},
                           {L"&Help", kHelpMenu}};

constexpr ACCEL kKeys[] = {
    {FCONTROL | FVIRTKEY, 'N', kNewCanvas},
    {FCONTROL | FVIRTKEY, 'O', kOpenDrawing},
    {FCONTROL | FSHIFT | FVIRTKEY, 'O', kOpenPicture},
    {FCONTROL | FVIRTKEY, 'S', kSave},
    {FCONTROL | FSHIFT | FVIRTKEY, 'S', kSaveAs},
    {FCONTROL | FVIRTKEY, 'E', kExportPng},
    {FCONTROL | FVIRTKEY, 'Q', kQuit},
    {FCONTROL | FVIRTKEY, 'Z', kUndo},
    {FCONTROL | FVIRTKEY, 'Y', kRedo},
    {FCONTROL | FSHIFT | FVIRTKEY, 'Z', kRedo},
    {FCONTROL | FVIRTKEY, VK_OEM_PLUS, kZoomIn},
    {FCONTROL | FVIRTKEY, VK_ADD, kZoomIn},
    {FCONTROL | FVIRTKEY, VK_OEM_MINUS, kZoomOut},
    {FCONTROL | FVIRTKEY, VK_SUBTRACT, kZoomOut},
    {FCONTROL | FVIRTKEY, '0', kActualSize},
    {FVIRTKEY, 'A', kPreviousCell},
    {FVIRTKEY, 'B', kNextCell},
    {FVIRTKEY, VK_F1, kHelp},
};

const MenuEntry* Find(UINT command) {
  for (const Menu& menu : kMenus) {
    for (const MenuEntry& entry : menu.entries) {
      if (entry.command == command && command != 0) return &entry;
    }
  }
  return nullptr;
}

}  // namespace

HMENU BuildMenuBar(HMENU* recent) {
  HMENU bar = CreateMenu();
  for (const Menu& menu : kMenus) {
    HMENU popup = CreatePopupMenu();
    for (const MenuEntry& entry : menu.entries) {
      if (entry.command == 0) {
        AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        continue;
      }
      if (entry.command == kOpenRecent) {
        *recent = CreatePopupMenu();
        AppendMenuW(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(*recent), entry.label);
        continue;
      }
      AppendMenuW(popup, MF_STRING, entry.command, entry.label);
    }
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), menu.label);
  }
  return bar;
}

HACCEL BuildKeys() {
  ACCEL keys[std::size(kKeys)];
  std::copy(std::begin(kKeys), std::end(kKeys), keys);
  HACCEL table = CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));
  if (table == nullptr) throw std::runtime_error("cannot make the window's keys");
  return table;
}

std::wstring MenuTip(UINT command) {
  const MenuEntry* entry = Find(command);
  return entry == nullptr ? std::wstring() : entry->tip;
}

}  // namespace stamp::window
