#include "src/files/stamp_sheet.h"

#include "src/core/messages.h"
#include "src/core/module_state.h"
#include "src/files/context_pair.h"
#include "src/files/panel_image.h"

namespace stamp {

void LoadStampSheet() {
  ModuleState& module = Module();
  if (module.stampPath.empty()) return;
  ReleaseStampSheet();

  StampSheet& sheet = module.sheet;
  // Without its context the sheet could not be drawn into the cells: that is a failed load too.
  sheet.context = plat_create_compatible_dc(0);
  sheet.bitmap = sheet.context != 0 ? plat_load_bitmap_file(module.stampPath.c_str()) : 0;
  if (sheet.bitmap == 0) {
    plat_message_box(kStampFileOpenError);
    if (sheet.context != 0) plat_delete_dc(sheet.context);
    sheet = StampSheet{};
    return;
  }
  sheet.previousBitmap = plat_select_object(sheet.context, sheet.bitmap);
  plat_bit_blt(module.panel.context, kCellAreaX, kCellAreaY, STAMP_SHEET_WIDTH, STAMP_SHEET_HEIGHT,
               sheet.context, 0, 0, PLAT_SRCCOPY);
  module.stampLoaded = true;
}

void ReleaseStampSheet() {
  ModuleState& module = Module();
  if (!module.stampLoaded) return;
  ReleaseContextPair(module.sheet.context, module.sheet.previousBitmap, module.sheet.bitmap);
  module.sheet = StampSheet{};
  module.stampLoaded = false;
}

}  // namespace stamp
