// Where the full-screen window goes: across every monitor when the system
// reports a virtual screen, else over the primary screen. Portable (no Win32
// header) so the rule is checked natively; the host feeds it GetSystemMetrics.
#pragma once
#include <cstdint>

struct ScreenMetrics {
    std::int32_t VirtualX, VirtualY;           // SM_XVIRTUALSCREEN, SM_YVIRTUALSCREEN
    std::int32_t VirtualWidth, VirtualHeight;  // SM_CXVIRTUALSCREEN, SM_CYVIRTUALSCREEN
    std::int32_t ScreenWidth, ScreenHeight;    // SM_CXSCREEN, SM_CYSCREEN
};

struct ScreenRect {
    std::int32_t X, Y, Width, Height;
};

// The virtual screen when its size is reported (non-zero both ways; Windows
// 95 and NT 4 answer 0), otherwise the primary screen at 0, 0.
ScreenRect FullScreenRect(const ScreenMetrics& metrics);
