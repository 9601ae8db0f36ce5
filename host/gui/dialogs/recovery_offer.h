// The question a window asks at its start about the drawings windows that ended without closing
// left in the state folder (host/document/autosave_folder.h): one after another, newest first, each
// read before it is offered, so that a damaged or odd file never hides an older good one. What was
// skipped is told in one message; a drawing that cannot be read is told and stays where it is,
// except a killed write's temporary, which was incomplete and goes. A read the user cancels, or a
// signal to end stops, ends the questions and leaves every file for a later window.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "host/document/autosave_folder.h"
#include "host/ora/layered_picture.h"

class QWidget;

namespace stamp::gui {

struct Recovered {
  ora::LayeredPicture work;
  document::LeftDrawing from;  // stays on disk until the caller has the work safe elsewhere
};

// Asks about each drawing in the folders, newest first, until the user recovers one (given
// back); each other is discarded (removed at once) or kept for a later window. nullopt when none
// was recovered.
std::optional<Recovered> AskToRecover(QWidget* parent,
                                      const std::vector<std::filesystem::path>& folders);

}  // namespace stamp::gui
