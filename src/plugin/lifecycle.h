// Start-up and shut-down of the plug-in, and the two facts the host reads before start-up: the
// tool's display name and the interface version.
#pragma once

#include <bit>
#include <cstdint>

#include "stamp/plugin.h"

namespace stamp {

inline constexpr char kToolName[] = STAMP_PLUGIN_NAME;
inline constexpr int32_t kInterfaceVersion = STAMP_PLUGIN_VERSION;
static_assert(kInterfaceVersion == std::bit_cast<int32_t>(1.0f));

// Starts a session on the host's record (kept, never copied or freed, until ShutDown): creates
// the PanelImage from the panel image file, reads the settings, loads the stamp sheet the
// settings name and prepares the StampImage from the selected cell. Gives 1, or 0 when the
// PanelImage cannot be made (its message was shown and nothing made for the attempt is left). A
// session already running is shut down first, so a repeated start-up writes its settings and leaks
// nothing. A null record gives 0.
int32_t StartUp(void* record);

// Releases what a start-up that was cut short by an exception had made, leaves no session and
// shows "Stamp:memory allocation error". Never throws.
void AbandonStartUp();

// Ends the running session: writes the settings, releases the stamp sheet and the PanelImage.
// Does nothing when no session runs (before StartUp, after a failed one, or a second time).
void ShutDown();

}  // namespace stamp
