// The tool's settings in the application profile, as the document and the window read them:
// the section and keys the tool keeps them under (in the profile's UTF-16 form), its sheet, and
// the sample sheet chosen for a first start.
#pragma once

#include <filesystem>
#include <string>

#include "stamp/platform.h"
#include "stamp/plugin.h"

namespace stamp::document {

inline constexpr char16_t kSettingsSection[] = u"" STAMP_PROFILE_SECTION;
inline constexpr char16_t kSelectionKey[] = u"" STAMP_PROFILE_SELECTION_KEY;
inline constexpr char16_t kAngleKey[] = u"" STAMP_PROFILE_ANGLE_KEY;
inline constexpr char16_t kReductionKey[] = u"" STAMP_PROFILE_REDUCTION_KEY;
inline constexpr char16_t kSheetKey[] = u"" STAMP_PROFILE_FILE_KEY;

// The sheet the profile names (the tool's backslash form), empty when none.
std::u16string ProfileSheet(PlatApp* app);

// The window's first status line: the settings the tool read from the profile (the angle
// counted clockwise, as on the dial) and its sheet's name, and on a first start how to pick
// another sheet than the sample one.
std::u16string StartSettingsText(PlatApp* app, bool firstStart);

// With no sheet in the profile, names the sample sheet stamp/nature.bmp of the host's folder
// there (written before plg_init, the tool loads it as any remembered sheet). Gives whether it did.
bool ChooseSampleSheetIfNone(PlatApp* app, const std::filesystem::path& hostFolder);

}  // namespace stamp::document
