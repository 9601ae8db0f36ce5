// The tool's settings in the application profile, as the window reads them: the section the tool
// keeps them in, its sheet, and the sample sheet chosen for a first start.
#pragma once

#include <filesystem>
#include <string>

#include "stamp/platform.h"

namespace stamp::gui {

inline constexpr char16_t kSettingsSection[] = u"plugin_kvo_stamp";
inline constexpr char16_t kSheetKey[] = u"file";

// The sheet the profile names (the tool's backslash form), empty when none.
std::u16string ProfileSheet(PlatApp* app);

// With no sheet in the profile, names the sample sheet stamp/nature.bmp of the host's folder
// there (written before plg_init, the tool loads it as any remembered sheet). Gives whether it did.
bool ChooseSampleSheetIfNone(PlatApp* app, const std::filesystem::path& hostFolder);

}  // namespace stamp::gui
