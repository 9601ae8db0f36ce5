#include "src/plugin/events.h"

#include <string>

#include "src/canvas/stroke.h"
#include "src/images/stamp_sheet.h"
#include "src/panel/draw.h"
#include "src/panel/file_button.h"
#include "src/panel/input.h"
#include "src/plugin/module_state.h"
#include "stamp/plugin.h"

namespace stamp {
namespace {

// A sheet chosen in the load dialog is loaded (one that fails shows its own message), the angle
// and the selection start again at their defaults and the stamp is taken from the new cells.
void TakeChosenSheet(ModuleState& module, const std::u16string& path) {
  module.settings.stampPath = path;
  LoadStampSheet(path, module.panelImage, module.sheet);
  module.settings.angle = STAMP_DEFAULT_ANGLE;
  module.settings.selection = STAMP_DEFAULT_SELECTION;
  PrepareStampImage(module);
}

void RunLoadDialog(ModuleState& module) {
  RunFileButton(module.host, module.settings.stampPath,
                [&module](const std::u16string& path) { TakeChosenSheet(module, path); });
}

// The panel changes nothing the panel shows when no control acted.
int32_t Apply(ModuleState& module, PanelChange change) {
  switch (change) {
    case PanelChange::kNone: return STAMP_RESULT_NOT_TAKEN;
    case PanelChange::kTurned: TurnStampImage(module); break;
    case PanelChange::kCellChanged: PrepareStampImage(module); break;
    case PanelChange::kFileButton: RunLoadDialog(module); break;
  }
  return STAMP_RESULT_PANEL_CHANGED;
}

// The event's work on the module state while a session runs.
template <typename Work>
int32_t InSession(Work work) {
  ModuleState& module = Module();
  if (!module.initialised) return STAMP_RESULT_NOT_TAKEN;
  return work(module);
}

int32_t SelectCell(int32_t (*step)(int32_t selection)) {
  return InSession([step](ModuleState& module) {
    module.settings.selection = step(module.settings.selection);
    PrepareStampImage(module);
    return STAMP_RESULT_PANEL_CHANGED;
  });
}

}  // namespace

void UpdatePanel() {
  const ModuleState& module = Module();
  if (!module.initialised) return;
  DrawPanel({module.host, PanelImageView(module.panelImage), module.settings, module.stampSize});
}

int32_t PanelDown(int32_t x, int32_t y) {
  return InSession([=](ModuleState& module) {
    return Apply(module, PanelPenDown(module.drag, module.settings, x, y));
  });
}

int32_t PanelMove(int32_t x, int32_t y) {
  return InSession([=](ModuleState& module) {
    return Apply(module, PanelPenMove(module.drag, module.settings, x, y));
  });
}

int32_t PanelUp(int32_t x, int32_t y) {
  return InSession([=](ModuleState& module) {
    return Apply(module, PanelPenUp(module.drag, module.settings, x, y));
  });
}

int32_t CanvasDown(int32_t x, int32_t y) {
  return InSession([=](ModuleState& module) {
    return PenDown(module.stroke, module.host, StampForStroke(module), x, y);
  });
}

int32_t CanvasMove(int32_t x, int32_t y) {
  return InSession([=](ModuleState& module) {
    return PenMove(module.stroke, module.host, StampForStroke(module), x, y);
  });
}

int32_t CanvasUp(int32_t x, int32_t y) {
  return InSession([=](ModuleState& module) {
    return PenUp(module.stroke, module.host, StampForStroke(module), x, y);
  });
}

int32_t KeyPreviousCell() { return SelectCell(PreviousCell); }

int32_t KeyNextCell() { return SelectCell(NextCell); }

}  // namespace stamp
