// The plug-in's icon: a rubber stamp seen from the side, a red handle on a grey block pressing a
// black mark, in the 16 colours of the icon palette on a see-through ground.
#pragma once

#include "image.h"

namespace stamp::art {

Image DrawIcon();

}  // namespace stamp::art
