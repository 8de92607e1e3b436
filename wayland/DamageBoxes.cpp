#include "wayland/DamageBoxes.h"

namespace {

std::int64_t Area(const Box& b)
{
    return static_cast<std::int64_t>(b.Right - b.Left) * (b.Bottom - b.Top);
}

}  // namespace

Box Union(const Box& a, const Box& b)
{
    return Box{a.Left < b.Left ? a.Left : b.Left, a.Top < b.Top ? a.Top : b.Top, a.Right > b.Right ? a.Right : b.Right,
               a.Bottom > b.Bottom ? a.Bottom : b.Bottom};
}

bool Near(const Box& a, const Box& b, std::int32_t gap)
{
    return static_cast<std::int64_t>(a.Left) <= static_cast<std::int64_t>(b.Right) + gap &&
        static_cast<std::int64_t>(b.Left) <= static_cast<std::int64_t>(a.Right) + gap &&
        static_cast<std::int64_t>(a.Top) <= static_cast<std::int64_t>(b.Bottom) + gap &&
        static_cast<std::int64_t>(b.Top) <= static_cast<std::int64_t>(a.Bottom) + gap;
}

void DamageBoxes::RemoveAt(int i)
{
    Boxes[i] = Boxes[Count - 1];
    Count--;
}

void DamageBoxes::Absorb(int i)
{
    for (int j = 0; j < Count;) {
        if (j != i && Near(Boxes[i], Boxes[j], DAMAGE_JOIN_GAP)) {
            Boxes[i] = Union(Boxes[i], Boxes[j]);
            // The last box moves into j's place; i may be that last one.
            if (i == Count - 1)
                i = j;
            RemoveAt(j);
            j = 0;
        } else {
            j++;
        }
    }
}

void DamageBoxes::Add(Box box)
{
    if (box.Right <= box.Left || box.Bottom <= box.Top)
        return;
    for (int i = 0; i < Count; i++) {
        if (Near(Boxes[i], box, DAMAGE_JOIN_GAP)) {
            Boxes[i] = Union(Boxes[i], box);
            Absorb(i);
            return;
        }
    }
    if (Count < MAX_DAMAGE_BOXES) {
        Boxes[Count++] = box;
        return;
    }
    // Full: into the box it grows least.
    int best = 0;
    std::int64_t bestGrowth = 0;
    for (int i = 0; i < Count; i++) {
        std::int64_t growth = Area(Union(Boxes[i], box)) - Area(Boxes[i]);
        if (i == 0 || growth < bestGrowth)
            best = i, bestGrowth = growth;
    }
    Boxes[best] = Union(Boxes[best], box);
    Absorb(best);
}
