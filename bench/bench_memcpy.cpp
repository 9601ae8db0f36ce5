#include "bench_memcpy.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace stamp::bench {
namespace {

void Memcpy(benchmark::State& state, int64_t bytes) {
  const auto size = static_cast<size_t>(bytes);
  std::vector<uint8_t> src(size, 0x5A);
  std::vector<uint8_t> dst(size, 0xA5);
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), size);
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  state.counters[kBytesCounter] = static_cast<double>(bytes);
}

}  // namespace

void RegisterMemcpy(int64_t bytes) {
  static std::set<int64_t> registered;
  if (!registered.insert(bytes).second) return;
  benchmark::RegisterBenchmark(("memcpy/" + std::to_string(bytes)).c_str(), Memcpy, bytes)
      ->Unit(benchmark::kMicrosecond);
}

}  // namespace stamp::bench
