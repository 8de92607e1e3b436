#include "wayland/FigureSlot.h"

FigureSlot* FigureSlot::Loaded = nullptr;

FigureSlot::~FigureSlot()
{
    if (Loaded == this)
        Loaded = nullptr;
}

EmulatedWindow& FigureSlot::Enter()
{
    if (Loaded != this) {
        if (Loaded) {
            Loaded->State = AnimationState;
            Loaded->Random = RandomState;
            Loaded->Colour = ColourCycle;
        }
        AnimationState = State;
        RandomState = Random;
        ColourCycle = Colour;
        Loaded = this;
    }
    return Window;
}
