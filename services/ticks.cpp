// Ticks from the steady clock.
#include "services/ticks.h"

#include <chrono>
#include <thread>

namespace bralvo::services {

std::uint32_t TickNowMs()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

std::uint32_t TickSpan(std::uint32_t oldTick, std::uint32_t newTick)
{
    if (oldTick == newTick)
        return 0;
    if (newTick < oldTick) {
        // Moving both by half the range undoes a wrap past 2^32.
        oldTick += 0x80000000u;
        newTick += 0x80000000u;
    }
    const std::uint32_t span = newTick - oldTick;
    if (newTick < oldTick && span != 0)
        return oldTick - newTick;
    return span;
}

void SleepMilliseconds(std::uint32_t milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace bralvo::services
