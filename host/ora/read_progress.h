// The progress of a long read: called now and then with the part done (0 to 1). A false return
// asks the read to stop, which it does at once and gives kReadStopped as its reason. An empty
// one is never called.
#pragma once

#include <functional>

namespace stamp::ora {

using ReadProgress = std::function<bool(double done)>;

inline constexpr char kReadStopped[] = "the read was stopped";

// Whether the read may go on, having done done of its work.
inline bool GoOn(const ReadProgress& progress, double done) { return !progress || progress(done); }

// The progress of one stretch of a whole read, from to from + span of it.
inline ReadProgress Stretch(const ReadProgress& whole, double from, double span) {
  if (!whole) return {};
  return [whole, from, span](double done) { return whole(from + span * done); };
}

}  // namespace stamp::ora
