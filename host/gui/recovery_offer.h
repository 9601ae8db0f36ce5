// The question a window asks at its start about the drawings windows that ended without closing
// left in the state folder (autosave_folder.h): one after another, newest first, each read before
// it is offered, so that a damaged or odd file never hides an older good one. What was skipped is
// told in one message; a drawing that cannot be read is told and stays where it is, except a
// killed write's temporary, which was incomplete and goes.
#pragma once

#include <filesystem>
#include <optional>

#include "host/gui/autosave_folder.h"
#include "host/ora/layered_picture.h"

class QWidget;

namespace stamp::gui {

struct Recovered {
  ora::LayeredPicture work;
  LeftDrawing from;  // stays on disk until the caller has the work safe elsewhere
};

// Asks about each drawing in folder until the user recovers one (given back), discards it
// (removed at once) or keeps it for a later window; nullopt when none was recovered.
std::optional<Recovered> AskToRecover(QWidget* parent, const std::filesystem::path& folder);

}  // namespace stamp::gui
