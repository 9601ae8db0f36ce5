// The program's icon: a rubber stamp seen from the side, a red handle on a grey block pressing a
// black mark. The plug-in's icon draws it in the 16 colours of the icon palette on a see-through
// ground, 32 pixels square; the desktop's icons draw the same parts at any side with soft edges.
#pragma once

#include "image.h"
#include "png_writer.h"

namespace stamp::art {

// The sides the desktop's icon theme looks for an application's icon in, in pixels.
inline constexpr int kDesktopIconSides[] = {16, 22, 24, 32, 48, 64, 128, 256};

Image DrawIcon();
RgbaImage DrawDesktopIcon(int side);

}  // namespace stamp::art
