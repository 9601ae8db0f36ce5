// The exports end to end, on the built module loaded with dlopen from the host's folder and a
// complete host record: start-up, a dial drag event with the panel redrawn, a cell change, a
// reduction change, a pen stroke (down, ten moves, up) and single pen moves, the last beside one
// memcpy of canvasCopyBytes.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_memcpy.h"
#include "bench_session.h"
#include "stamp/plugin.h"

namespace stamp::bench {
namespace {

constexpr int32_t kPanelChanged = STAMP_RESULT_PANEL_CHANGED;

// Stops the run with a message when an export did not give the expected result.
bool Expect(benchmark::State& state, int32_t result, int32_t expected, const char* what) {
  if (result == expected) return true;
  state.SkipWithError(what);
  return false;
}

// Runs a repeated event once per iteration, stopping the run at the first that fails.
template <typename Event>
bool Repeat(benchmark::State& state, Event& event) {
  if (event.failure() != nullptr) {
    state.SkipWithError(event.failure());
    return false;
  }
  for (auto _ : state) {
    if (!event.Step()) {
      state.SkipWithError(event.failure());
      return false;
    }
  }
  return true;
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

void DialDrag(benchmark::State& state) {
  DialMoves dial;
  Repeat(state, dial);
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
  PenMoves pen(width, height);
  if (Repeat(state, pen)) state.counters[kBytesCounter] = pen.copyBytes();
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
