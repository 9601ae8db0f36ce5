#include "src/images/stamp_sheet.h"

#include "src/core/messages.h"
#include "src/images/selected_bitmap.h"

namespace stamp {

void LoadStampSheet(const std::u16string& path, const PanelImage& panel, StampSheet& sheet) {
  if (path.empty()) return;
  ReleaseStampSheet(sheet);

  // Without its context the sheet could not be drawn into the cells: that is a failed load too.
  sheet.context = plat_create_compatible_dc(0);
  sheet.bitmap = sheet.context != 0 ? plat_load_bitmap_file(path.c_str()) : 0;
  if (sheet.bitmap == 0) {
    plat_message_box(kStampFileOpenError);
    if (sheet.context != 0) plat_delete_dc(sheet.context);
    sheet = StampSheet{};
    return;
  }
  sheet.previousBitmap = plat_select_object(sheet.context, sheet.bitmap);
  plat_bit_blt(panel.context, kCellArea.x, kCellArea.y, kCellArea.width, kCellArea.height,
               sheet.context, 0, 0, PLAT_SRCCOPY);
}

void ReleaseStampSheet(StampSheet& sheet) {
  if (!sheet.loaded()) return;
  ReleaseSelectedBitmap(sheet.context, sheet.previousBitmap, sheet.bitmap);
  sheet = StampSheet{};
}

}  // namespace stamp
