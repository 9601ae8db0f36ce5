// New canvas's question: the new canvas's width and height in pixels, each from 1 to the longest
// side a record can describe (host/record/canvas_size.h), with OK only while the record can hold
// the pair, and the reason shown when it cannot. The dialog starts at the size last chosen, kept
// with the window's settings (window_settings.h), else at the size given.
#pragma once

#include <cstdint>
#include <optional>

#include <QSize>
#include <QString>

class QWidget;

namespace stamp::gui {

// The size chosen, remembered for the next time; nullopt when the user cancelled.
std::optional<QSize> AskCanvasSize(QWidget* parent, QSize current);

// A canvas whose record needs more than this share of the machine's memory is asked about first:
// a size the record can hold may still leave too little for everything else.
inline constexpr uint64_t kAskAboveMemoryDivisor = 2;  // half

// The question to ask before a canvas of width x height is made on a machine of memoryBytes,
// naming the memory its record's buffers need; empty when that is no more than the share.
QString LargeCanvasQuestion(int32_t width, int32_t height, uint64_t memoryBytes);
// The machine's memory in bytes; 0 when the system does not say.
uint64_t MachineMemoryBytes();
// Asks LargeCanvasQuestion over parent when there is one; true to go on.
bool ConfirmCanvasMemory(QWidget* parent, int32_t width, int32_t height);

}  // namespace stamp::gui
