// Tick scheduling on a monotonic clock, in nanoseconds: ticks fall on a fixed
// grid (no drift), and a late tick skips the grid points it missed instead of
// being followed by a burst.
#pragma once
#include <cstdint>

typedef std::int64_t Nanoseconds;

const Nanoseconds NS_PER_MS = 1000000;

// The monotonic clock.
Nanoseconds MonotonicNow();
// The next due time after a tick that was due at `due` and ran at `now`: the
// first grid point (due + k * interval, k >= 1) later than `now`.
Nanoseconds NextDue(Nanoseconds due, std::uint32_t intervalMs, Nanoseconds now);
// Milliseconds for poll until `wake` (rounded up, so that waking means it is
// time), 0 when it has come, -1 (wait without end) when `wake` is negative.
int PollTimeout(Nanoseconds wake, Nanoseconds now);
