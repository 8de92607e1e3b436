#include "hostrules/ScreenRect.h"

ScreenRect FullScreenRect(const ScreenMetrics& metrics)
{
    if (metrics.VirtualWidth > 0 && metrics.VirtualHeight > 0)
        return {metrics.VirtualX, metrics.VirtualY, metrics.VirtualWidth, metrics.VirtualHeight};
    return {0, 0, metrics.ScreenWidth, metrics.ScreenHeight};
}
