// Millisecond ticks and sleeping, for the socket time-outs.
#pragma once

#include <cstdint>

namespace bralvo::services {

// A monotonic millisecond count, cut to its low 32 bits (it wraps).
std::uint32_t TickNowMs();

// Milliseconds from oldTick to newTick: a counter that wrapped past 2^32
// still gives the true span; a new tick before the old one within the same
// half of the range gives their distance.
std::uint32_t TickSpan(std::uint32_t oldTick, std::uint32_t newTick);

// Blocks the calling thread.
void SleepMilliseconds(std::uint32_t milliseconds);

} // namespace bralvo::services
