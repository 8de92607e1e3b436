#include "posix/TickClock.h"

#include <ctime>

Nanoseconds MonotonicNow()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<Nanoseconds>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

Nanoseconds NextDue(Nanoseconds due, std::uint32_t intervalMs, Nanoseconds now)
{
    Nanoseconds interval = static_cast<Nanoseconds>(intervalMs == 0 ? 1 : intervalMs) * NS_PER_MS;
    Nanoseconds next = due + interval;
    if (next <= now)
        next += ((now - next) / interval + 1) * interval;
    return next;
}

int PollTimeout(Nanoseconds wake, Nanoseconds now)
{
    if (wake < 0)
        return -1;
    if (wake <= now)
        return 0;
    Nanoseconds ms = (wake - now + NS_PER_MS - 1) / NS_PER_MS;
    return ms > 86400000 ? 86400000 : static_cast<int>(ms);
}
