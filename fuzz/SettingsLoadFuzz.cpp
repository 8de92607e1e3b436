// Any stored settings, then a figure's start and some ticks on any client size.
// Input: a key-exists byte; per value a length byte (0 missing, 1-5 that many
// data bytes less one, more: too long) and its data; seed, width, height, ticks.
#include "fuzz/FuzzInput.h"
#include "render/Renderer.h"
#include "settings/MemoryStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in{data, size};
    MemoryStore store;
    store.KeyExists = in.Take(1) & 1;
    for (int i = 0; i < SETTINGS_VALUE_COUNT; i++) {
        // As the registry read: any type; up to 4 bytes fill the low bytes of
        // a zeroed value, longer data fails the query like a missing value.
        std::uint32_t length = in.Take(1);
        std::uint32_t value = length >= 1 && length <= 5 ? in.Take(static_cast<int>(length) - 1) : 0;
        store.Present[i] = length >= 1 && length <= 5;
        store.Values[i] = value;
    }
    RenderRequest request;
    request.Seed = in.Take(4);
    request.Width = in.Take(2);
    request.Height = in.Take(2);
    request.Ticks = in.Take(2) % 400;  // a figure, its pause and the next start: bounded work per input
    // The engine sees the full client size; pixels land on at most 32 x 32 of it.
    Bitmap bitmap(request.Width < 32 ? request.Width : 32, request.Height < 32 ? request.Height : 32);
    RunRender(request, store, nullptr, &bitmap);
    FuzzCheck(Settings.TimerInterval >= 1 && Settings.TimerInterval <= 1000, "timer interval in 1..1000 ms");
    return 0;
}
