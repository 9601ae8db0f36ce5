#include "host/session/load_dialog_answer_win32.h"
#include "host/session/sheet_loading.h"

namespace stamp::host {

EventOutcome LoadSheetThroughDialog(Session& session, const std::u16string& path) {
  const LoadDialogAnswer answer(path);
  session.Send(kFileButtonPress[0]);
  return session.Send(kFileButtonPress[1]);
}

}  // namespace stamp::host
