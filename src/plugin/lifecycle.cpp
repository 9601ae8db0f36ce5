#include "src/plugin/lifecycle.h"

#include <string>

#include "src/core/messages.h"
#include "src/plugin/module_state.h"
#include "src/plugin/settings.h"
#include "stamp/platform.h"

namespace stamp {
namespace {

// The panel image file, under the host's directory (which ends in a backslash).
constexpr char16_t kPanelImageFile[] = u"" STAMP_PLUGIN_FOLDER "\\" STAMP_PANEL_IMAGE_FILE;

}  // namespace

int32_t StartUp(void* record) {
  ShutDown();
  ModuleState& module = Module();
  module = ModuleState{};  // no sheet loaded, RotatedSize 0x0, the dial not dragged
  if (record == nullptr) return 0;
  module.host = HostContext(record);
  const std::u16string panelPath = module.host.hostDirectory() + kPanelImageFile;
  if (!CreatePanelImage(panelPath, module.host, module.panelImage)) return 0;
  module.settings = ReadSettings(module.host.profileApp());
  LoadStampSheet(module.settings.stampPath, module.panelImage, module.sheet);
  PrepareStampImage(module);
  module.initialised = true;
  return 1;
}

// The sheet and the PanelImage are the only platform objects a session holds; a start-up makes
// them in that order, so either may be there.
void AbandonStartUp() {
  ModuleState& module = Module();
  ReleaseStampSheet(module.sheet);
  ReleasePanelImage(module.panelImage);
  module = ModuleState{};
  plat_message_box(kMemoryAllocationError);
}

void ShutDown() {
  ModuleState& module = Module();
  if (!module.initialised) return;
  WriteSettings(module.host.profileApp(), module.settings);
  ReleaseStampSheet(module.sheet);
  ReleasePanelImage(module.panelImage);
  module.initialised = false;
}

}  // namespace stamp
