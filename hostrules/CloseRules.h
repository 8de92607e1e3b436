// When the saver closes, free of the platform: which input asks for a close,
// how far the pointer must travel, which system commands the full screen
// swallows, and whether a close request may go ahead.
#pragma once
#include <cstdint>

// The window messages and system commands the rules look at (Win32 values;
// the host checks them against the system's headers).
enum : std::uint32_t {
    MSG_ACTIVATEAPP = 0x001C,
    MSG_KEYDOWN = 0x0100,
    MSG_SYSKEYDOWN = 0x0104,
    MSG_LBUTTONDOWN = 0x0201,
    MSG_RBUTTONDOWN = 0x0204,
    MSG_MBUTTONDOWN = 0x0207,
    CMD_NEXTWINDOW = 0xF040,
    CMD_PREVWINDOW = 0xF050,
    CMD_SCREENSAVE = 0xF140,
};

// Pointer travel that must be exceeded to close.
const std::uint32_t MOUSE_THRESHOLD = 4;
// Least time between the end of one password check and the start of the next.
const std::uint32_t VERIFY_GAP_MS = 200;
// LastVerifyTime before the first check.
const std::uint32_t NEVER_VERIFIED = 0xFFFFFFFFu;

struct ScreenPoint {
    std::int32_t X;
    std::int32_t Y;
};

// Key and button presses, and the loss of activation (wParam 0).
bool InputAsksToClose(std::uint32_t message, std::uintptr_t wParam);
// Travel |dx| + |dy| from the reference point must exceed the threshold;
// jitter that stays close never closes.
bool TravelAsksToClose(ScreenPoint reference, ScreenPoint now, std::uint32_t threshold);
// The full screen drops the commands that would switch away from it; the
// whole wParam is compared, so a command with low bits set passes.
bool SwallowsSystemCommand(bool preview, std::uintptr_t command);

enum class CloseVerdict { Refuse, Grant, Ask };
// A close request on the Windows 95 family: refused during a check, after a
// granted close and within the gap after the last check; granted at once
// with no verifier; otherwise the verifier is asked.
CloseVerdict JudgeClose(bool verifying, bool granted, bool verifierLoaded, std::uint32_t lastVerifyTime,
                        std::uint32_t now);
