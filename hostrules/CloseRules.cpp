#include "hostrules/CloseRules.h"

namespace {

std::uint32_t Distance(std::int32_t a, std::int32_t b)
{
    // In 64 bits: screen coordinates far apart cannot overflow.
    long long d = static_cast<long long>(a) - static_cast<long long>(b);
    return static_cast<std::uint32_t>(d < 0 ? -d : d);
}

}  // namespace

bool InputAsksToClose(std::uint32_t message, std::uintptr_t wParam)
{
    switch (message) {
    case MSG_KEYDOWN:
    case MSG_SYSKEYDOWN:
    case MSG_LBUTTONDOWN:
    case MSG_RBUTTONDOWN:
    case MSG_MBUTTONDOWN: return true;
    case MSG_ACTIVATEAPP: return wParam == 0;
    default: return false;
    }
}

bool TravelAsksToClose(ScreenPoint reference, ScreenPoint now, std::uint32_t threshold)
{
    return Distance(now.X, reference.X) + Distance(now.Y, reference.Y) > threshold;
}

bool SwallowsSystemCommand(bool preview, std::uintptr_t command)
{
    return !preview && (command == CMD_NEXTWINDOW || command == CMD_PREVWINDOW || command == CMD_SCREENSAVE);
}

CloseVerdict JudgeClose(bool verifying, bool granted, bool verifierLoaded, std::uint32_t lastVerifyTime,
                        std::uint32_t now)
{
    if (verifying || granted)
        return CloseVerdict::Refuse;
    if (!verifierLoaded)
        return CloseVerdict::Grant;
    // Unsigned difference: correct across the tick count's wrap.
    if (lastVerifyTime != NEVER_VERIFIED && now - lastVerifyTime < VERIFY_GAP_MS)
        return CloseVerdict::Refuse;
    return CloseVerdict::Ask;
}
