// Speed of the engine's work per figure and per tick, and of a whole
// headless render. Run: build/native/bench/orbilux-bench
#include <benchmark/benchmark.h>

#include "animation/AnimationDriver.h"
#include "animation/ColourCycler.h"
#include "base/Random.h"
#include "curves/TrigTables.h"
#include "raster/QuietHost.h"
#include "render/Renderer.h"
#include "settings/MemoryStore.h"
#include "settings/Settings.h"
#include "settings/SettingsValues.h"

namespace {

// Takes the drawing calls and does nothing: the tick without rasterising.
class NullSurface : public DrawSurface {
public:
    void SelectPen(Colour) override {}
    void DeselectPen() override {}
    void MoveTo(std::int32_t, std::int32_t) override {}
    void LineTo(std::int32_t, std::int32_t) override {}
    void Arc(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
             std::int32_t) override
    {
    }
    void SetPixel(std::int32_t, std::int32_t, Colour) override {}
    void FillRect(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::uintptr_t) override {}
};

void StartEngine(std::uint32_t shapes, std::uint32_t rotations, std::uint32_t zoom)
{
    MemoryStore store;
    store.KeyExists = true;
    const char* names[] = {VALUE_OBJECT_SHAPE, VALUE_OBJECT_ROTATION, VALUE_ZOOM_OPTION};
    std::uint32_t values[] = {shapes, rotations, zoom};
    for (int i = 0; i < 3; i++) {
        int index = SettingsValueIndex(names[i]);
        store.Present[index] = true;
        store.Values[index] = values[i];
    }
    QuietHost host(1920, 1080);
    ResetSettings();
    ResetAnimationState(AnimationState);
    AnimationCreate(AnimationState, host, store);
    AnimationSize(AnimationState, 1920, 1080);
}

void FigureStart(benchmark::State& run)
{
    StartEngine(SHAPE_CIRCLE, ROTATION_NONE, 0);
    for (auto _ : run) {
        AnimationState.KindX = static_cast<CurveKind>(run.iterations() % 50);
        AnimationState.KindY = static_cast<CurveKind>((run.iterations() * 7 + 3) % 50);
        SampleFigure(AnimationState);
        benchmark::DoNotOptimize(AnimationState.ScaleX);
    }
}
BENCHMARK(FigureStart);

// One mid-figure tick: colour, pen, mapped point, shape vertices.
void Tick(benchmark::State& run)
{
    std::uint32_t shape = static_cast<std::uint32_t>(run.range(0));
    std::uint32_t rotation = static_cast<std::uint32_t>(run.range(1));
    std::uint32_t zoom = static_cast<std::uint32_t>(run.range(2));
    StartEngine(shape, rotation, zoom);
    NullSurface surface;
    QuietHost host(1920, 1080);
    AnimationTick(AnimationState, surface, host);  // figure start
    for (auto _ : run) {
        if (AnimationState.Step >= 359)
            AnimationState.Step = 1;
        AnimationTick(AnimationState, surface, host);
    }
}
BENCHMARK(Tick)
    ->ArgNames({"shape", "rotation", "zoom"})
    ->ArgsProduct({{2, 4, 8, 16, 32, 64, 128, 256}, {2, 4, 8}, {0}})
    ->Args({256, 8, ZOOM_VERY_HIGH | ZOOM_FOUR_PHASE | ZOOM_START_SMALL})
    ->Args({2, 2, ZOOM_LOW | ZOOM_ONE_PHASE});

// The renderer's whole run: 100 figures at 1920 x 1080, rasterised.
void HundredFigures(benchmark::State& run)
{
    for (auto _ : run) {
        MemoryStore store;
        Bitmap bitmap(1920, 1080);
        RunRender({1, 1920, 1080, 36000}, store, nullptr, &bitmap);
        benchmark::DoNotOptimize(bitmap.Pixels.data());
    }
}
BENCHMARK(HundredFigures)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
