// The animation cycle of the saver window, one call per window message the
// driver handles: create, size, erase, timer tick, close and destroy. The
// window procedure (or the headless renderer) turns messages into these calls.
#pragma once
#include <cstdint>

#include "animation/AnimationHost.h"
#include "animation/AnimationState.h"
#include "base/DrawSurface.h"

class SettingsValueStore;

// WM_CREATE: loads the settings, builds the tables, makes the background
// brush, starts the timer, seeds the random sequence from the clock, seeds the
// pen colour and chooses the first curve pair.
void AnimationCreate(AnimationStateRecord& state, AnimationHost& host, SettingsValueStore& store);
// WM_SIZE: the client size, each 0 to 65535.
void AnimationSize(AnimationStateRecord& state, std::uint32_t width, std::uint32_t height);
// WM_ERASEBKGND: fills the client rectangle black.
void AnimationErase(AnimationStateRecord& state, DrawSurface& surface, AnimationHost& host);
// WM_TIMER: draws the next point; after the last one closes the figure,
// pauses, chooses the next pair and erases.
void AnimationTick(AnimationStateRecord& state, DrawSurface& surface, AnimationHost& host);
// WM_CLOSE: stops the timer.
void AnimationClose(AnimationStateRecord& state, AnimationHost& host);
// WM_DESTROY: deletes the background brush.
void AnimationDestroy(AnimationStateRecord& state, AnimationHost& host);

// Object radius for the drawable size and RadiusFactor.
std::int32_t RadiusForWindowSize(const AnimationStateRecord& state);
// Samples the figure and fits it to the window with the current ObjectRadius.
void SampleFigure(AnimationStateRecord& state);
// Window position of point i (0 to 360) for the current ObjectRadius.
void MapPoint(const AnimationStateRecord& state, std::int32_t i, std::int32_t& x, std::int32_t& y);
