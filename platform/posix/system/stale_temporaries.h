// The temporary files a replacement writes beside its target, and the removal of those a killed
// run left behind. A temporary is named TARGET.tmp-PID-RANDOM: the process id tells whether its
// writer still lives, the random part keeps the name from being guessed and planted in advance.
#pragma once

#include <string>

#include "platform/support/safe_file.h"

namespace stamp::platform {

// TemporaryNameFor, in safe_file.h, gives the names.

// Removes the regular files beside target that are its temporaries (of this form, or of the
// older form TARGET.tmpPID-N) whose process no longer runs. Best effort: failures are ignored.
void RemoveStaleTemporaries(const std::string& target);

}  // namespace stamp::platform
