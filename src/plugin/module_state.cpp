#include "src/plugin/module_state.h"

namespace stamp {
namespace {

StampBuffers RecordStampBuffers(const HostContext& host) {
  return {host.canvasView(host.stampBuffer()), host.canvasView(host.scratchBuffer())};
}

}  // namespace

ModuleState& Module() {
  static ModuleState state;
  return state;
}

void PrepareStampImage(ModuleState& module) {
  module.stampSize = PrepareStamp(PanelImageView(module.panelImage), module.settings,
                                  RecordStampBuffers(module.host));
}

void TurnStampImage(ModuleState& module) {
  module.stampSize = TurnStamp(module.settings, RecordStampBuffers(module.host));
}

StrokeStamp StampForStroke(const ModuleState& module) {
  if (!module.sheet.loaded()) return std::nullopt;
  return PreparedStamp{module.host.canvasView(module.host.stampBuffer()), module.stampSize};
}

}  // namespace stamp
