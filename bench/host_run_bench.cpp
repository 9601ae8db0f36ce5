// stamp-host run as a user meets it, end to end: a script of many events timed against the same
// script without them (its baseline), so that start-up, loading and shut-down cancel out and
// the difference is what the events cost. The time of one iteration is the host process's CPU
// time (user and system, from wait4) per event, as the plug-in's own benchmarks count CPU time;
// the wall time per event is the counter "wall_us". With a Windows build configured, the same
// scripts run through its stamp-host.exe under Wine, and its stamp-bench-events.exe times the
// plug-in's own pen move and dial drag there.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "bench_memcpy.h"
#include "bench_profile.h"

extern char** environ;

namespace stamp::bench {
namespace {

namespace fs = std::filesystem;

// Enough events that they, not the noise of starting a process, decide the difference: 40 pen
// moves on 4096x4096 (as a user's script might hold) and proportionally more on smaller
// canvases, and a long dial drag.
constexpr int kPenMoves = 40;
constexpr int64_t kPenMovePixels = int64_t{4096} * 4096;
constexpr int kDialMoves = 4000;
// Wine's start-up varies by tens of milliseconds of CPU from one run to the next, so its scripts
// hold this many times the events for the difference to rise above that noise.
constexpr int kWineEventScale = 10;
// The events stamp-bench-events times by itself, enough for a few tenths of a second of each.
constexpr int kWinePenMoves = 20000;
constexpr int kWineDialMoves = 40000;
// The dial's centre row and two points on it, 45 degrees either side (panel coordinates).
constexpr int kDialY = 50;
constexpr int kDialLeft = 65;
constexpr int kDialRight = 85;
constexpr double kKilobyte = 1024;
// The record's buffers: eight canvas-sized ones and the 240 x 1050 panel raster.
constexpr int kCanvasBuffers = 8;
constexpr double kPanelBytes = 240.0 * 1050 * 3;

struct Cost {
  double cpuSeconds = 0;
  double wallSeconds = 0;
  double peakBytes = 0;  // the process's peak resident memory
};

// How a host is started: the program and the words before its arguments. The native host is
// the build's; with a Windows build's stamp-host.exe configured (STAMP_BENCH_WINDOWS_HOST), the
// same scripts also run through it under Wine, its process the Wine process of the program.
using Launcher = std::vector<std::string>;

Launcher NativeHost() { return {(HostFolder() / "stamp-host").string()}; }

// Runs a host with the arguments, its standard output into the file output, and gives its CPU
// and wall time; nothing on failure.
std::optional<Cost> RunHost(const Launcher& launcher, const std::vector<std::string>& args,
                            const char* output = "/dev/null") {
  std::vector<char*> argv;
  for (const std::string& word : launcher) argv.push_back(const_cast<char*>(word.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, output, O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return std::nullopt;
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return std::nullopt;
  }
  const auto seconds = [](timeval t) { return double(t.tv_sec) + double(t.tv_usec) * 1e-6; };
  return Cost{seconds(usage.ru_utime) + seconds(usage.ru_stime),
              std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
              double(usage.ru_maxrss) * kKilobyte};
}

// A script and its baseline: the same lines without the measured events.
struct ScriptPair {
  std::string measured;
  std::string baseline;
  int events;
};

ScriptPair PenMoves(int32_t width, int32_t height, int scale = 1) {
  const std::string point = std::to_string(width / 2) + " " + std::to_string(height / 2) + "\n";
  const auto events =
      scale * static_cast<int>(kPenMoves * (kPenMovePixels / (int64_t{width} * height)));
  std::string moves;
  for (int i = 0; i < events; ++i) {
    moves +=
        "pen move " + std::to_string(width / 2 + (i & 1)) + " " + std::to_string(height / 2) + "\n";
  }
  return {"pen down " + point + moves + "pen up " + point, "pen down " + point + "pen up " + point,
          events};
}

ScriptPair DialDrag(int scale = 1) {
  const std::string down =
      "panel down " + std::to_string(kDialLeft) + " " + std::to_string(kDialY) + "\n";
  const std::string up =
      "panel up " + std::to_string(kDialLeft) + " " + std::to_string(kDialY) + "\n";
  std::string moves;
  const int events = scale * kDialMoves;
  for (int i = 0; i < events; ++i) {
    const int x = (i & 1) != 0 ? kDialLeft : kDialRight;
    moves += "panel move " + std::to_string(x) + " " + std::to_string(kDialY) + "\n";
  }
  return {down + moves + up, down + up, events};
}

class ScriptFiles {
 public:
  explicit ScriptFiles(const ScriptPair& pair)
      : folder_(fs::temp_directory_path() / ("stamp_bench_run_" + std::to_string(getpid()))) {
    fs::create_directories(folder_);
    std::ofstream(folder_ / "measured.txt") << pair.measured;
    std::ofstream(folder_ / "baseline.txt") << pair.baseline;
  }
  ~ScriptFiles() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  std::vector<std::string> Args(const char* script, const std::string& canvas,
                                const std::string& profile) const {
    return {"run",       (folder_ / script).string(),
            "--canvas",  canvas,
            "--profile", profile,
            "--out",     folder_.string(),
            "--quiet"};
  }

 private:
  fs::path folder_;
};

// bytes: the canvas's, for the ratio to its memcpy; 0 where no canvas is copied.
void HostRun(benchmark::State& state, Launcher host, ScriptPair pair, int32_t width, int32_t height,
             int64_t bytes) {
  const SheetProfile profile;
  const ScriptFiles files(pair);
  const std::string canvas = std::to_string(width) + "x" + std::to_string(height);
  double wall = 0;
  double peak = 0;
  for (auto _ : state) {
    const std::optional<Cost> base =
        RunHost(host, files.Args("baseline.txt", canvas, profile.path()));
    const std::optional<Cost> full =
        RunHost(host, files.Args("measured.txt", canvas, profile.path()));
    if (!base || !full) {
      state.SkipWithError("stamp-host run failed");
      break;
    }
    state.SetIterationTime((full->cpuSeconds - base->cpuSeconds) / pair.events);
    wall += (full->wallSeconds - base->wallSeconds) / pair.events;
    peak = std::max(peak, full->peakBytes);
  }
  state.counters["wall_us"] = wall * 1e6 / double(state.iterations());
  // Peak resident memory of the measured run over the bytes of the record's buffers.
  state.counters["peak_x_buffers"] =
      peak / (kCanvasBuffers * double(width) * height * 3 + kPanelBytes);
  if (bytes != 0) state.counters[kBytesCounter] = double(bytes);
}

#ifdef STAMP_BENCH_WINDOWS_HOST
// A program of the Windows build under Wine, its Wine prefix the build's.
Launcher UnderWine(const char* program) {
  return {STAMP_BENCH_WINE_RUN, STAMP_BENCH_WINDOWS_MACHINE, STAMP_BENCH_WINE_PREFIX, program};
}

// The Windows build's own pen move or dial drag (stamp-bench-events with the arguments), timed
// inside the program: its CPU time per event, beside the exports benchmarks of this build.
void WineEvents(benchmark::State& state, std::vector<std::string> args) {
  const fs::path output =
      fs::temp_directory_path() / ("stamp_bench_events_" + std::to_string(getpid()) + ".txt");
  double wall = 0;
  for (auto _ : state) {
    double cpuMicroseconds = 0;
    double wallMicroseconds = 0;
    if (!RunHost(UnderWine(STAMP_BENCH_WINDOWS_EVENTS), args, output.c_str()) ||
        !(std::ifstream(output) >> cpuMicroseconds >> wallMicroseconds)) {
      state.SkipWithError("stamp-bench-events failed under Wine");
      break;
    }
    state.SetIterationTime(cpuMicroseconds * 1e-6);
    wall += wallMicroseconds;
  }
  std::error_code ignored;
  fs::remove(output, ignored);
  state.counters["wall_us"] = wall / double(state.iterations());
}
#endif

void Register(const std::string& name, const Launcher& host, const ScriptPair& pair, int32_t width,
              int32_t height, int64_t bytes) {
  benchmark::RegisterBenchmark(name.c_str(), HostRun, host, pair, width, height, bytes)
      ->UseManualTime()
      ->Iterations(1)
      ->Unit(benchmark::kMicrosecond);
}

[[maybe_unused]] const bool kRegistered = [] {
  const int32_t canvases[][2] = {{480, 640}, {2048, 2048}, {4096, 4096}};
  for (const auto& [width, height] : canvases) {
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    Register("host-run/pen-move/" + size, NativeHost(), PenMoves(width, height), width, height,
             int64_t{width} * height * 3);
  }
  Register("host-run/dial-drag", NativeHost(), DialDrag(), 480, 640, 0);
#ifdef STAMP_BENCH_WINDOWS_HOST
  // Wine's start-up costs seconds, so only the smallest canvas and the dial drag run there.
  const Launcher wine = UnderWine(STAMP_BENCH_WINDOWS_HOST);
  Register("wine-run/pen-move/480x640", wine, PenMoves(480, 640, kWineEventScale), 480, 640,
           int64_t{480} * 640 * 3);
  Register("wine-run/dial-drag", wine, DialDrag(kWineEventScale), 480, 640, 0);
  const std::vector<std::string> events[] = {
      {"pen-move", "480", "640", std::to_string(kWinePenMoves)},
      {"dial-drag", std::to_string(kWineDialMoves)}};
  for (const std::vector<std::string>& args : events) {
    const std::string name = "wine-exports/" + args[0] + (args.size() > 2 ? "/480x640" : "");
    benchmark::RegisterBenchmark(name.c_str(), WineEvents, args)
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMicrosecond);
  }
#endif
  return true;
}();

}  // namespace
}  // namespace stamp::bench
