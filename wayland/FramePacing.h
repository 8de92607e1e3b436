// When an output's figure ticks. Ticks fall on a fixed grid of the figure's
// interval and are drawn when the output is ready for a frame: all those due
// since the last frame (several at once when the figure ticks faster than
// the screen), but none for a time the output showed nothing: ticks older
// than CATCH_UP_NS are skipped, not drawn in a burst.
#pragma once
#include <cstdint>

#include "posix/TickClock.h"

const Nanoseconds CATCH_UP_NS = 50 * NS_PER_MS;

// The first due time to draw at `now` for a grid that was due at `due`: `due`
// itself, or the first grid point less than CATCH_UP_NS old.
Nanoseconds CatchUpFrom(Nanoseconds due, std::uint32_t intervalMs, Nanoseconds now);
