// What a window gives the drawing it shows (document.h): it hears what changed, keeps the clock
// and runs the autosave's timer. The document asks no questions and chooses no files: the window
// asks the user and hands it the answers. Every call comes on the thread the document runs on.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

namespace stamp::document {

class DocumentView {
 public:
  using Clock = std::chrono::steady_clock;

  // unsaved() or path() changed.
  virtual void OnStateChanged() = 0;
  // The layers' pixels changed: the canvas is shown again.
  virtual void OnLayersChanged() = 0;
  // The session started again (another canvas size): its record, compositor and panel are new.
  virtual void OnRestarted() = 0;

  // Call Document::Tick once, delay from now; a later request replaces this one.
  virtual void TickAfter(std::chrono::milliseconds delay) = 0;
  // The request of TickAfter is withdrawn.
  virtual void CancelTick() = 0;
  // The time the autosave's rules count in.
  virtual Clock::time_point Now() { return Clock::now(); }

  // An autosave was written to path, or could not be (the drawing is still here).
  virtual void OnAutosaved(const std::filesystem::path& path) { static_cast<void>(path); }
  virtual void OnAutosaveFailed(const std::string& reason) { static_cast<void>(reason); }
  // The recording of the drawing's steps ended before it was stopped, for the reason given.
  virtual void OnRecordingEnded(const std::string& why) { static_cast<void>(why); }

 protected:
  ~DocumentView() = default;
};

}  // namespace stamp::document
