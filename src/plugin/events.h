// The event exports' work over the running session: each hands the subsystem that owns the
// event what it reads, rebuilds the StampImage when a change asks for it, and gives the export's
// result. Outside a session each changes nothing and gives STAMP_RESULT_NOT_TAKEN (the panel
// drawing gives nothing).
#pragma once

#include <cstdint>

namespace stamp {

void UpdatePanel();
int32_t PanelDown(int32_t x, int32_t y);
int32_t PanelMove(int32_t x, int32_t y);
int32_t PanelUp(int32_t x, int32_t y);
int32_t CanvasDown(int32_t x, int32_t y);
int32_t CanvasMove(int32_t x, int32_t y);
int32_t CanvasUp(int32_t x, int32_t y);
int32_t KeyPreviousCell();
int32_t KeyNextCell();

}  // namespace stamp
