#include "wayland/InputRules.h"

std::uint32_t ButtonMessage(std::uint32_t evdevButton)
{
    switch (evdevButton) {
    case EVDEV_BUTTON_RIGHT: return MSG_RBUTTONDOWN;
    case EVDEV_BUTTON_MIDDLE: return MSG_MBUTTONDOWN;
    default: return MSG_LBUTTONDOWN;
    }
}

bool PointerTravel::Enter(const void* surface, std::int32_t x, std::int32_t y)
{
    On = surface;
    if (!Reference) {
        Reference = surface;
        Start = ScreenPoint{x, y};
        return false;
    }
    return surface != Reference || TravelAsksToClose(Start, ScreenPoint{x, y}, MOUSE_THRESHOLD);
}

bool PointerTravel::Motion(std::int32_t x, std::int32_t y)
{
    return On && On == Reference && TravelAsksToClose(Start, ScreenPoint{x, y}, MOUSE_THRESHOLD);
}
