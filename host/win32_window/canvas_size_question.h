// "New canvas": the width and height asked in a small modal dialog, starting at start. OK is
// taken only for a size the record can hold (host/record/canvas_size.h); otherwise the dialog
// says why and stays open. nullopt when the user cancelled.
#pragma once

#include <windows.h>

#include <optional>

#include "host/win32_window/view_mapping.h"

namespace stamp::window {

std::optional<Size> AskCanvasSize(HWND owner, Size start);

}  // namespace stamp::window
