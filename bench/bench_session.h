// The module loaded from the host's folder and started on a complete host record, as a host
// starts it, and the two events a user repeats most, driven one at a time: a pen move on a canvas
// and a drag of the panel's dial. The exports benchmarks time them here; stamp-bench-events
// times the same steps in a Windows build.
#pragma once

#include <cstdint>

#include "bench_profile.h"
#include "host/plugin/plugin_module.h"
#include "host/record/complete_record.h"

namespace stamp::bench {

// The module of this build, loaded once.
const host::PluginExports& Plugin();

// A host record whose profile names a sample sheet, an angle of 30 and the given reduction.
class Session {
 public:
  Session(int32_t width, int32_t height, int32_t reduction = STAMP_DEFAULT_REDUCTION);

  void* record() const { return record_.record(); }
  int32_t copyBytes() const { return record_.getInt(STAMP_REC_CANVAS_COPY_BYTES); }

 private:
  SheetProfile profile_;
  host::HostRecord record_;
};

// Starts the module on a session and shuts it down with the object.
class Started {
 public:
  explicit Started(Session& session);
  ~Started();
  Started(const Started&) = delete;
  Started& operator=(const Started&) = delete;
  bool ok() const { return ok_; }

 private:
  bool ok_;
};

// A repeated event on a started session: failure() is nullptr while every export gave what a
// user's event gives, else what went wrong; Step runs one event and tells whether it did.
class RepeatedEvent {
 public:
  const char* failure() const { return failure_; }

 protected:
  RepeatedEvent(int32_t width, int32_t height);
  bool Expect(int32_t result, int32_t expected, const char* what);

  Session session_;
  Started started_;

 private:
  const char* failure_ = nullptr;
};

// A pen down at the canvas's centre, then moves one pixel to and fro; a pen up at the end.
class PenMoves : public RepeatedEvent {
 public:
  PenMoves(int32_t width, int32_t height);
  ~PenMoves();
  PenMoves(const PenMoves&) = delete;
  PenMoves& operator=(const PenMoves&) = delete;
  bool Step();
  int32_t copyBytes() const { return session_.copyBytes(); }

 private:
  int32_t x_;
  int32_t y_;
};

// A pen down on the panel's dial, then moves between angles 45 and -45, each with the panel
// redrawn as a host redraws it after a changed panel.
class DialMoves : public RepeatedEvent {
 public:
  DialMoves();
  bool Step();

 private:
  int32_t x_;
};

}  // namespace stamp::bench
