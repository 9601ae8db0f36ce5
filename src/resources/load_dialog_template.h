// The load dialog's template: a path box with a "File" button beside it, the list of stamp
// sheets below, OK and Cancel at the bottom. The template and control ids are the host's too and
// come from stamp/plugin.h; the dialog code and its tests refer to them by these names.
#pragma once

#include <cstdint>

#include "stamp/platform.h"
#include "stamp/plugin.h"

namespace stamp {

inline constexpr int32_t kLoadDialogResourceId = STAMP_LOAD_DIALOG_ID;

inline constexpr int32_t kLoadDialogOk = PLAT_IDOK;
inline constexpr int32_t kLoadDialogCancel = PLAT_IDCANCEL;
inline constexpr int32_t kLoadDialogPathBox = STAMP_LOAD_DIALOG_PATH_BOX;
inline constexpr int32_t kLoadDialogFileButton = STAMP_LOAD_DIALOG_FILE_BUTTON;
inline constexpr int32_t kLoadDialogList = STAMP_LOAD_DIALOG_LIST;

inline constexpr int32_t kLoadDialogControlCount = 5;

// The template, in dialog units; its controls in tab order.
extern const PlatDialogTemplate kLoadDialogTemplate;

}  // namespace stamp
