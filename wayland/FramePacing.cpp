#include "wayland/FramePacing.h"

Nanoseconds CatchUpFrom(Nanoseconds due, std::uint32_t intervalMs, Nanoseconds now)
{
    Nanoseconds oldest = now - CATCH_UP_NS;
    return due >= oldest ? due : NextDue(due, intervalMs, oldest - 1);
}
