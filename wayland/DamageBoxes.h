// What a frame changed, as a few boxes: the compositor's cost grows with the
// number of damage rectangles (one per pixel cost 2.9 times one box at 4K),
// and also with their area, so points close together share a box and at most
// MAX_DAMAGE_BOXES are kept.
#pragma once
#include <cstdint>

// Right and bottom excluded.
struct Box {
    std::int32_t Left, Top, Right, Bottom;
};

const int MAX_DAMAGE_BOXES = 4;
// Boxes this close (in pixels) are joined: the area added is cheaper than
// another rectangle.
const std::int32_t DAMAGE_JOIN_GAP = 32;

class DamageBoxes {
public:
    // One pixel.
    void AddPoint(std::int32_t x, std::int32_t y) { Add(Box{x, y, x + 1, y + 1}); }
    // An empty box is ignored.
    void Add(Box box);
    void Clear() { Count = 0; }
    int Size() const { return Count; }
    bool Empty() const { return Count == 0; }
    const Box& operator[](int i) const { return Boxes[i]; }

private:
    // Joins box `i` with every other box it is near, until none is.
    void Absorb(int i);
    void RemoveAt(int i);

    Box Boxes[MAX_DAMAGE_BOXES];
    int Count = 0;
};

// The smallest box holding both.
Box Union(const Box& a, const Box& b);
// Whether they overlap or lie within `gap` pixels of each other.
bool Near(const Box& a, const Box& b, std::int32_t gap);
