// Stamp preparation: the bilinear rotation of a 30x30 cell at four angles, and the area-average
// reduction of a 30x30 cell to 29, 16 and 10 pixels beside the literal model that reads every
// sub-sample position (tools/bench prints the speed-up).
#include <benchmark/benchmark.h>

#include <string>

#include "prepare/reference.h"
#include "src/prepare/reduce.h"
#include "src/prepare/rotate.h"
#include "support/canvas_record.h"

namespace stamp::bench {
namespace {

using test::CanvasRecord;
using test::CanvasView;
using test::Raster;

constexpr int32_t kCanvas = 64;
constexpr int32_t kCell = 30;

struct Pictures {
  CanvasRecord canvas{kCanvas, kCanvas};
  Raster src{kCanvas, kCanvas, 0};
  Raster dst{kCanvas, kCanvas, 0};
  Pictures() { src.FillRandom(7); }
};

void Rotate(benchmark::State& state, int32_t angle) {
  Pictures pictures;
  for (auto _ : state) {
    RotateBilinear(CanvasView(pictures.dst), CanvasView(pictures.src), kCell, kCell, angle);
    benchmark::ClobberMemory();
  }
}

void Reduce(benchmark::State& state, int32_t side) {
  Pictures pictures;
  for (auto _ : state) {
    ReduceAreaAverage(CanvasView(pictures.dst), CanvasView(pictures.src), side, side, kCell, kCell);
    benchmark::ClobberMemory();
  }
}

void ReduceBySubSamples(benchmark::State& state, int32_t side) {
  Pictures pictures;
  for (auto _ : state) {
    test::ReferenceReduceBySubSamples(pictures.dst, pictures.src, side, side, kCell, kCell);
    benchmark::ClobberMemory();
  }
}

[[maybe_unused]] const bool kRegistered = [] {
  for (const int32_t angle : {0, 30, 45, 90}) {
    benchmark::RegisterBenchmark(("rotate/30x30/" + std::to_string(angle)).c_str(), Rotate, angle)
        ->Unit(benchmark::kMicrosecond);
  }
  for (const int32_t side : {29, 16, 10}) {
    const std::string name = "/30to" + std::to_string(side);
    benchmark::RegisterBenchmark(("reduce" + name).c_str(), Reduce, side)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("reduce-by-sub-samples" + name).c_str(), ReduceBySubSamples, side)
        ->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

}  // namespace
}  // namespace stamp::bench
