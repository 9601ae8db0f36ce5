#include "src/plugin/lifecycle.h"

#include <string>

#include "src/core/messages.h"
#include "src/core/module_state.h"
#include "src/files/panel_image.h"
#include "src/files/stamp_sheet.h"
#include "src/plugin/settings.h"
#include "src/stamp/mul_table.h"
#include "src/stamp/rebuild.h"
#include "stamp/platform.h"

namespace stamp {
namespace {

// The panel image file, under the host's directory (which ends in a backslash).
constexpr char16_t kPanelImageFile[] = u"plugin\\kvo_stamp.dat";

}  // namespace

int32_t StartUp(void* record) {
  ShutDown();
  ModuleState& module = Module();
  module = ModuleState{};  // no sheet loaded, RotatedSize 0x0, the dial not dragged
  if (record == nullptr) return 0;
  module.host = HostContext(record);
  const std::u16string panelPath = module.host.hostDirectory() + kPanelImageFile;
  if (!CreatePanelImage(panelPath, module.host, module.panel)) return 0;
  ReadSettings(module);
  BuildMulTable();
  LoadStampSheet();
  RebuildStamp(true);
  module.initialised = true;
  return 1;
}

// The sheet and the PanelImage are the only platform objects a session holds; a start-up makes
// them in that order, so either may be there.
void AbandonStartUp() {
  ModuleState& module = Module();
  ReleaseStampSheet();
  if (module.panel.context != 0) ReleasePanelImage(module.panel);
  module = ModuleState{};
  plat_message_box(kMemoryAllocationError);
}

void ShutDown() {
  ModuleState& module = Module();
  if (!module.initialised) return;
  WriteSettings(module);
  ReleaseStampSheet();
  ReleasePanelImage(module.panel);
  module.initialised = false;
}

}  // namespace stamp
