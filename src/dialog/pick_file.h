// The general file picker: the external picker library when it is installed beside the host
// program, the system's open or save dialog otherwise.
#pragma once

#include <cstdint>

#include "stamp/platform.h"

namespace stamp {

inline constexpr int32_t kPickOpen = 0;
inline constexpr int32_t kPickSave = 1;

inline constexpr char16_t kPickerLibrary[] = u"tgetfile.dll";
inline constexpr char kPickerExport[] = "tGetFile";

// The picker library's export: nonzero when a file was chosen, its path then in the request's
// file buffer.
using PickerEntry = int32_t (*)(int32_t mode, PlatOpenFileName* request);

// Lets the user choose a file (mode kPickOpen or kPickSave) for the request. The library is
// loaded at each call and unloaded after it; a library without the export picks nothing.
// Nonzero when a file was chosen; the path is then in request->lpstrFile.
int32_t PickFile(int32_t mode, PlatOpenFileName* request);

}  // namespace stamp
