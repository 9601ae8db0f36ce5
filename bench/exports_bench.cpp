// The exports end to end, on the built module loaded with dlopen from the host's folder and a
// complete host record: start-up, a dial drag event with the panel redrawn, a cell change, a
// reduction change, a pen stroke (down, ten moves, up) and single pen moves, the last beside one
// memcpy of canvasCopyBytes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench_memcpy.h"
#include "bench_profile.h"
#include "host/record/complete_record.h"
#include "host/record/host_directory.h"
#include "host/record/plugin_module.h"
#include "stamp/plugin.h"

namespace stamp::bench {
namespace {

constexpr int32_t kPanelChanged = STAMP_RESULT_PANEL_CHANGED;

const host::PluginExports& Plugin() {
  static const host::PluginModule module(host::ModulePath(HostFolder()));
  return module.exports();
}

host::HostRecordOptions Options(int32_t width, int32_t height, const std::string& profile) {
  host::HostRecordOptions options;
  options.canvasWidth = width;
  options.canvasHeight = height;
  options.hostDirectory = host::HostDirectoryText(HostFolder());
  options.profilePath = profile;
  return options;
}

// A host record whose profile names a sample sheet, an angle of 30 and the given reduction.
class Session {
 public:
  Session(int32_t width, int32_t height, int32_t reduction = STAMP_DEFAULT_REDUCTION)
      : profile_(reduction), record_(Options(width, height, profile_.path())) {}

  void* record() const { return record_.record(); }
  int32_t copyBytes() const { return record_.getInt(STAMP_REC_CANVAS_COPY_BYTES); }

 private:
  SheetProfile profile_;
  host::HostRecord record_;
};

// Starts the module on a session for one benchmark run and shuts it down afterwards.
class Started {
 public:
  explicit Started(Session& session) : ok_(Plugin().init(session.record()) == 1) {}
  ~Started() { Plugin().destroy(); }
  bool ok() const { return ok_; }

 private:
  bool ok_;
};

// Stops the run with a message when an export did not give the expected result.
bool Expect(benchmark::State& state, int32_t result, int32_t expected, const char* what) {
  if (result == expected) return true;
  state.SkipWithError(what);
  return false;
}

void Init(benchmark::State& state) {
  Session session(480, 640);
  for (auto _ : state) {
    if (!Expect(state, Plugin().init(session.record()), 1, "plg_init failed")) break;
    state.PauseTiming();
    Plugin().destroy();
    state.ResumeTiming();
  }
}

// Alternates between two dial positions (angles 45 and -45) after a pen down on the dial.
void DialDrag(benchmark::State& state) {
  Session session(480, 640);
  Started started(session);
  if (!Expect(state, started.ok(), true, "plg_init failed")) return;
  if (!Expect(state, Plugin().submenuDown(65, 50), kPanelChanged, "dial pen-down not taken"))
    return;
  int32_t x = 65;
  for (auto _ : state) {
    x = 150 - x;
    if (!Expect(state, Plugin().submenuMove(x, 50), kPanelChanged, "dial move not taken")) break;
    Plugin().updateSubmenu();
  }
}

void NextCell(benchmark::State& state) {
  Session session(480, 640);
  Started started(session);
  if (!Expect(state, started.ok(), true, "plg_init failed")) return;
  for (auto _ : state) {
    if (!Expect(state, Plugin().keyB(), kPanelChanged, "plg_key_b not taken")) break;
  }
}

// From 28, the plus and minus buttons in turn: 29, 28, 29, ..., each a reduced rebuild.
void ReductionChange(benchmark::State& state) {
  Session session(480, 640, 28);
  Started started(session);
  if (!Expect(state, started.ok(), true, "plg_init failed")) return;
  int32_t y = 105;
  for (auto _ : state) {
    y = 120 - y;
    if (!Expect(state, Plugin().submenuUp(95, y), kPanelChanged, "button not taken")) break;
  }
}

void Stroke(benchmark::State& state, int32_t width, int32_t height) {
  Session session(width, height);
  Started started(session);
  if (!Expect(state, started.ok(), true, "plg_init failed")) return;
  for (auto _ : state) {
    Plugin().mouseDown(width / 2, height / 2);
    for (int32_t move = 1; move <= 10; ++move) {
      Plugin().mouseMove(0, 0, width / 2 + move, height / 2 + move);
    }
    if (!Expect(state, Plugin().mouseUp(width / 2, height / 2), 1, "pen-up not taken")) break;
  }
}

void PenMove(benchmark::State& state, int32_t width, int32_t height) {
  Session session(width, height);
  Started started(session);
  if (!Expect(state, started.ok(), true, "plg_init failed")) return;
  if (!Expect(state, Plugin().mouseDown(width / 2, height / 2), 9, "pen-down not taken")) return;
  int32_t x = width / 2;
  for (auto _ : state) {
    x ^= 1;
    if (!Expect(state, Plugin().mouseMove(0, 0, x, height / 2), 9, "move not taken")) break;
  }
  Plugin().mouseUp(x, height / 2);
  state.counters[kBytesCounter] = session.copyBytes();
}

[[maybe_unused]] const bool kRegistered = [] {
  benchmark::RegisterBenchmark("exports/init", Init)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("exports/dial-drag", DialDrag)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("exports/key-b", NextCell)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("exports/reduction-change", ReductionChange)
      ->Unit(benchmark::kMicrosecond);
  const int32_t canvases[][2] = {{480, 640}, {2048, 2048}, {4096, 4096}};
  for (const auto& [width, height] : canvases) {
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    benchmark::RegisterBenchmark(("exports/stroke/" + size).c_str(), Stroke, width, height)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("exports/pen-move/" + size).c_str(), PenMove, width, height)
        ->Unit(benchmark::kMicrosecond);
    RegisterMemcpy(int64_t{width} * height * 3);
  }
  return true;
}();

}  // namespace
}  // namespace stamp::bench
