// The saver window's animation stage: turns window messages into calls on the
// animation driver and hands the rest to SaverDefaultProc.
#pragma once
#include <windows.h>

// The animation timer's identifier on the saver window.
const UINT_PTR ANIMATION_TIMER_ID = 1;

LRESULT AnimationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Starts the animation timer again after a close was refused, so the figure
// does not stand still while the window stays open.
void ResumeAnimation(HWND window);
