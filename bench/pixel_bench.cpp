// The pixel engine's rectangle operations, every raster operation and blend mode and the white
// fill, on rectangles of 30x30, 1024x768 and 2048x2048 pixels placed three ways in buffers a
// little larger than the rectangle: wholly inside, partly outside (the top half above the top
// edge) and wrapping (the right half past the row's end, in the row above).
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "bench_memcpy.h"
#include "pixel/rect_operations.h"
#include "src/pixel/pixel_ops.h"

namespace stamp::bench {
namespace {

constexpr int32_t kMargin = 16;  // extra pixels of the buffer on each axis

struct Size {
  int32_t width;
  int32_t height;
};

struct Placement {
  const char* name;
  int32_t (*left)(Size rect, Size buffer);
  int32_t (*top)(Size rect);
};

constexpr Placement kPlacements[] = {
    {"inside", [](Size, Size) { return kMargin / 2; }, [](Size) { return kMargin / 2; }},
    {"partly-outside", [](Size, Size) { return kMargin / 2; },
     [](Size r) { return -r.height / 2; }},
    {"wrapping", [](Size r, Size b) { return b.width - r.width / 2; },
     [](Size) { return kMargin / 2; }},
};

std::vector<uint8_t> RandomPixels(Size buffer, uint32_t seed) {
  std::vector<uint8_t> bytes(static_cast<size_t>(buffer.width) * buffer.height * 3);
  std::mt19937 random(seed);
  for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
  return bytes;
}

int64_t RectBytes(Size rect) { return int64_t{rect.width} * rect.height * 3; }

void RunOperation(benchmark::State& state, const test::RectOperation& op, Size rect,
                  const Placement& place) {
  const Size buffer{rect.width + kMargin, rect.height + kMargin};
  std::vector<uint8_t> dst = RandomPixels(buffer, 1);
  const std::vector<uint8_t> src = RandomPixels(buffer, 2);
  const auto bytes = static_cast<int32_t>(dst.size());
  const int32_t x = place.left(rect, buffer);
  const int32_t y = place.top(rect);
  for (auto _ : state) {
    op.engine(dst.data(), buffer.width, buffer.height, x, y, rect.width, rect.height, src.data(),
              buffer.width, buffer.height, x, y, op.code, bytes, bytes);
    benchmark::ClobberMemory();
  }
  state.counters[kBytesCounter] = static_cast<double>(RectBytes(rect));
}

void RunFill(benchmark::State& state, Size rect, const Placement& place) {
  const Size buffer{rect.width + kMargin, rect.height + kMargin};
  std::vector<uint8_t> pixels = RandomPixels(buffer, 3);
  const auto bytes = static_cast<int32_t>(pixels.size());
  for (auto _ : state) {
    FillWhite({pixels.data(), buffer.width, buffer.height, bytes}, place.left(rect, buffer),
              place.top(rect), rect.width, rect.height);
    benchmark::ClobberMemory();
  }
  state.counters[kBytesCounter] = static_cast<double>(RectBytes(rect));
}

std::string SizeName(Size rect) {
  return std::to_string(rect.width) + "x" + std::to_string(rect.height);
}

[[maybe_unused]] const bool kRegistered = [] {
  const Size sizes[] = {{30, 30}, {1024, 768}, {2048, 2048}};
  for (const Size rect : sizes) {
    RegisterMemcpy(RectBytes(rect));
    for (const Placement& place : kPlacements) {
      const std::string where = std::string("/").append(SizeName(rect)).append("/") + place.name;
      for (const test::RectOperation& op : test::AllRectOperations()) {
        benchmark::RegisterBenchmark((op.name + where).c_str(), RunOperation, op, rect, place)
            ->Unit(benchmark::kMicrosecond);
      }
      benchmark::RegisterBenchmark(("FillWhite" + where).c_str(), RunFill, rect, place)
          ->Unit(benchmark::kMicrosecond);
    }
  }
  return true;
}();

}  // namespace
}  // namespace stamp::bench
