// The load dialog's template (resource 4308): a path box with a "File" button beside it, the list
// of stamp sheets below, OK and Cancel at the bottom. Control ids are named here once; the dialog
// code and its tests refer to them by these names.
#pragma once

#include <cstdint>

#include "stamp/platform.h"

namespace stamp {

inline constexpr int32_t kLoadDialogResourceId = 4308;

inline constexpr int32_t kLoadDialogOk = PLAT_IDOK;
inline constexpr int32_t kLoadDialogCancel = PLAT_IDCANCEL;
inline constexpr int32_t kLoadDialogPathBox = 1000;
inline constexpr int32_t kLoadDialogFileButton = 1001;
inline constexpr int32_t kLoadDialogList = 1002;

inline constexpr int32_t kLoadDialogControlCount = 5;

// The template, in dialog units; its controls in tab order.
extern const PlatDialogTemplate kLoadDialogTemplate;

}  // namespace stamp
