#include "animation/AnimationDriver.h"

#include "animation/ColourCycler.h"
#include "base/Random.h"
#include "base/SaturatingMath.h"
#include "curves/CurveFamily.h"
#include "curves/TrigTables.h"
#include "settings/Settings.h"
#include "settings/SettingsValues.h"
#include "shapes/ShapeOutlines.h"
#include "shapes/ShapeSelection.h"

namespace {

AnimationStateRecord InitialAnimationState()
{
    AnimationStateRecord state{};
    state.CurrentShape = SHAPE_CIRCLE;
    state.CurrentRotation = ROTATION_NONE;
    state.Zoom.ZoomPhases = ZOOM_FOUR_PHASE;
    state.Zoom.ZoomShrinking = 1;
    return state;
}

const std::int32_t FIGURE_STEPS = 360;
const std::uint32_t FIGURE_PAUSE_MS = 1000;

bool JoiningDots()
{
    return Settings.JoinTheDots == 1;
}

void KeepCurvePair(AnimationStateRecord& state, const CurvePair& pair)
{
    state.KindX = pair.KindX;
    state.KindY = pair.KindY;
}

}  // namespace

AnimationStateRecord AnimationState = InitialAnimationState();

void ResetAnimationState(AnimationStateRecord& state)
{
    state = InitialAnimationState();
}

std::int32_t RadiusForWindowSize(const AnimationStateRecord& state)
{
    double byHeight = static_cast<double>(state.DrawHeight) * Settings.RadiusFactor;
    double byWidth = static_cast<double>(state.DrawWidth) * Settings.RadiusFactor;
    return TruncToInt32(byHeight < byWidth ? byHeight : byWidth);
}

void SampleFigure(AnimationStateRecord& state)
{
    CurvePathRecord& path = state.Path;
    for (std::int32_t i = 0; i <= 360; i++) {
        path.X[i] = CurveValue(i, state.KindX);
        path.Y[i] = CurveValue(i, state.KindY);
    }
    path.MinX = path.MaxX = path.X[0];
    path.MinY = path.MaxY = path.Y[0];
    for (std::int32_t i = 1; i <= 360; i++) {
        if (path.X[i] < path.MinX)
            path.MinX = path.X[i];
        if (path.X[i] > path.MaxX)
            path.MaxX = path.X[i];
        if (path.Y[i] < path.MinY)
            path.MinY = path.Y[i];
        if (path.Y[i] > path.MaxY)
            path.MaxY = path.Y[i];
    }
    // 64-bit so that a huge radius cannot overflow; exact in double either way.
    std::int64_t spanX = static_cast<std::int64_t>(state.DrawWidth) - 2 * static_cast<std::int64_t>(state.ObjectRadius);
    std::int64_t spanY =
        static_cast<std::int64_t>(state.DrawHeight) - 2 * static_cast<std::int64_t>(state.ObjectRadius);
    state.ScaleX = static_cast<double>(spanX) / (path.MaxX - path.MinX);
    state.ScaleY = static_cast<double>(spanY) / (path.MaxY - path.MinY);
    MapPoint(state, 0, state.StartX, state.StartY);
}

void MapPoint(const AnimationStateRecord& state, std::int32_t i, std::int32_t& x, std::int32_t& y)
{
    double r = static_cast<double>(state.ObjectRadius);
    x = AddSaturating(TruncToInt32(((state.Path.X[i] - state.Path.MinX) * state.ScaleX) + r), 1);
    y = AddSaturating(TruncToInt32(((state.Path.Y[i] - state.Path.MinY) * state.ScaleY) + r), 1);
}

void AnimationCreate(AnimationStateRecord& state, AnimationHost& host, SettingsValueStore& store)
{
    LoadSettings(store);
    BuildTrigTables();
    state.BackgroundBrush = host.CreateBackgroundBrush();
    state.TimerId = host.StartTimer(Settings.TimerInterval);
    SeedRandom(host.ClockSeconds());
    SeedPenColour();
    KeepCurvePair(state, ChooseCurvePair());
}

void AnimationSize(AnimationStateRecord& state, std::uint32_t width, std::uint32_t height)
{
    state.DrawWidth = static_cast<std::int32_t>(width) - 2;
    state.DrawHeight = static_cast<std::int32_t>(height) - 2;
    std::int32_t r = RadiusForWindowSize(state);
    state.ObjectRadius = r;
    state.BaseRadius = r;
}

void AnimationErase(AnimationStateRecord& state, DrawSurface& surface, AnimationHost& host)
{
    std::int32_t width = 0, height = 0;
    host.ClientSize(width, height);
    surface.FillRect(0, 0, width, height, state.BackgroundBrush);
}

void AnimationTick(AnimationStateRecord& state, DrawSurface& surface, AnimationHost& host)
{
    Colour colour = NextPenColour();
    surface.SelectPen(colour);

    if (state.Step == 0) {
        state.ObjectRadius = RadiusForWindowSize(state);
        SampleFigure(state);
        state.CurrentShape = ChooseShape();
        state.CurrentRotation = ChooseRotation();
        state.ZoomLevel = ChooseZoomLevel();
        if (state.ZoomLevel != 0)
            state.Zoom = SetUpZoom(state.ZoomLevel, state.ObjectRadius);
        if (JoiningDots())
            surface.MoveTo(state.StartX, state.StartY);
    }

    // The position uses the radius from before this tick's zoom update.
    std::int32_t x = 0, y = 0;
    MapPoint(state, state.Step, x, y);
    if (state.ObjectRadius != 0) {
        if (state.ZoomLevel != 0)
            UpdateZoom(state.Zoom, state.ObjectRadius, state.Step, state.BaseRadius);
        DrawShape(surface, {state.CurrentShape, state.CurrentRotation, state.ObjectRadius, state.Step}, x, y);
    } else if (JoiningDots()) {
        surface.LineTo(x, y);
    } else {
        surface.SetPixel(x, y, colour);
    }

    state.Step++;
    if (state.Step >= FIGURE_STEPS) {
        if (JoiningDots()) {
            MapPoint(state, 0, x, y);
            surface.LineTo(x, y);
        }
        if (state.TimerId != 0)
            host.StopTimer();
        host.Sleep(FIGURE_PAUSE_MS);
        KeepCurvePair(state, ChooseCurvePair());
        state.TimerId = host.StartTimer(Settings.TimerInterval);
        state.Step = 0;
        host.Erase(surface);
    }

    surface.DeselectPen();
}

void AnimationClose(AnimationStateRecord& state, AnimationHost& host)
{
    if (state.TimerId != 0)
        host.StopTimer();
}

void AnimationDestroy(AnimationStateRecord& state, AnimationHost& host)
{
    host.DeleteBackgroundBrush(state.BackgroundBrush);
}
