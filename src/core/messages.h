// Every text the plug-in shows to the user, through the host application's message box.
#pragma once

namespace stamp {

// Start-up: the panel image file could not be loaded.
inline constexpr char16_t kDataFileLoadError[] = u"Stamp:data file load error";
// Start-up: the PanelImage's bitmap could not be created.
inline constexpr char16_t kMemoryAllocationError[] = u"Stamp:memory allocation error";
// A bitmap's description could not be read while making its header.
inline constexpr char16_t kBitmapError[] = u"Bitmap Error";
// The stamp sheet named by stampPath could not be loaded.
inline constexpr char16_t kStampFileOpenError[] = u"Stamp file open error";
// Canvas stamping was asked for while no stamp sheet is loaded.
inline constexpr char16_t kPleaseLoadStamp[] = u"Please load stamp";

}  // namespace stamp
