// stamp-bench-events: the exports benchmarks' pen move and dial drag in a Windows build, where
// Google Benchmark is not built, timed by the program itself so that starting the system (Wine's
// start-up, seconds of it) stays out. tools/bench runs it from the Linux benchmarks and prints
// its figures beside the Linux build's.
//   stamp-bench-events pen-move WIDTH HEIGHT EVENTS
//   stamp-bench-events dial-drag EVENTS
// prints one line, "CPU WALL": the thread's CPU time (user and system) and the wall time of one
// event, in microseconds. Exit code 1 with a message on standard error when an event failed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "bench_session.h"

namespace {

constexpr double kMicrosecondsPerTick = 0.1;  // FILETIME counts 100 ns

double ThreadCpuMicroseconds() {
  FILETIME created, exited, kernel, user;
  if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
  const auto ticks = [](FILETIME t) {
    return double((uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime);
  };
  return (ticks(kernel) + ticks(user)) * kMicrosecondsPerTick;
}

double WallMicroseconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return double(now.QuadPart) * 1e6 / double(frequency.QuadPart);
}

int Usage() {
  std::fprintf(stderr,
               "usage: stamp-bench-events pen-move WIDTH HEIGHT EVENTS\n"
               "       stamp-bench-events dial-drag EVENTS\n");
  return 2;
}

template <typename Event>
int Time(Event& event, long events) {
  if (events <= 0) return Usage();
  const double cpu = ThreadCpuMicroseconds();
  const double wall = WallMicroseconds();
  for (long i = 0; i < events && event.failure() == nullptr; ++i) event.Step();
  if (event.failure() != nullptr) {
    std::fprintf(stderr, "stamp-bench-events: %s\n", event.failure());
    return 1;
  }
  std::printf("%.3f %.3f\n", (ThreadCpuMicroseconds() - cpu) / double(events),
              (WallMicroseconds() - wall) / double(events));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 5 && std::strcmp(argv[1], "pen-move") == 0) {
      stamp::bench::PenMoves pen(std::atoi(argv[2]), std::atoi(argv[3]));
      return Time(pen, std::atol(argv[4]));
    }
    if (argc == 3 && std::strcmp(argv[1], "dial-drag") == 0) {
      stamp::bench::DialMoves dial;
      return Time(dial, std::atol(argv[2]));
    }
    return Usage();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "stamp-bench-events: %s\n", e.what());
    return 1;
  }
}
