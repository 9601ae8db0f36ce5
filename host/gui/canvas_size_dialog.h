// New canvas's question: the new canvas's width and height in pixels, each from 1 to the longest
// side a record can describe (host/record/canvas_size.h), with OK only while the record can hold
// the pair, and the reason shown when it cannot. The dialog starts at the size last chosen, kept
// with the window's settings (window_settings.h), else at the size given.
#pragma once

#include <optional>

#include <QSize>

class QWidget;

namespace stamp::gui {

// The size chosen, remembered for the next time; nullopt when the user cancelled.
std::optional<QSize> AskCanvasSize(QWidget* parent, QSize current);

}  // namespace stamp::gui
