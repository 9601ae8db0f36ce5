// The yardstick every benchmark is measured against: one memcpy of the bytes it touches, in the
// same binary. Each benchmark sets the counter kBytesCounter to that byte count, and tools/bench
// divides its time by the time of the memcpy benchmark with the same count.
#pragma once

#include <cstdint>

namespace stamp::bench {

inline constexpr char kBytesCounter[] = "bytes";

// Registers "memcpy/<bytes>" once per byte count, however often it is asked for.
void RegisterMemcpy(int64_t bytes);

}  // namespace stamp::bench
