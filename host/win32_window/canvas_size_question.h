// "New canvas": the width and height asked in a small modal dialog, starting at start. OK is
// taken only for a size the record can hold (host/record/canvas_size.h); otherwise the dialog
// says why and stays open. nullopt when the user cancelled.
#pragma once

#include <windows.h>

#include <optional>

#include "host/document/view_mapping.h"

namespace stamp::window {

std::optional<document::Size> AskCanvasSize(HWND owner, document::Size start);

}  // namespace stamp::window
