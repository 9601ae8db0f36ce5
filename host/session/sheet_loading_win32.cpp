#include "host/session/load_dialog_answer_win32.h"
#include "host/session/sheet_loading.h"
#include "stamp/plugin.h"

namespace stamp::host {

EventOutcome LoadSheetThroughDialog(Session& session, const std::u16string& path) {
  const LoadDialogAnswer answer(path);
  session.Send({EventKind::kPanelDown, STAMP_FILE_BUTTON_PRESS_X, STAMP_FILE_BUTTON_PRESS_Y});
  return session.Send({EventKind::kPanelUp, STAMP_FILE_BUTTON_PRESS_X, STAMP_FILE_BUTTON_PRESS_Y});
}

}  // namespace stamp::host
