// The saver window: its class, its creation in the full-screen and preview
// modes, the message loop and the window procedure.
#pragma once
#include <windows.h>

#define SAVER_CLASS_NAME "WindowsScreenSaverClass"
#define FULL_SCREEN_TITLE "Screen Saver"
#define PREVIEW_TITLE "Preview"

// Exit code when the class cannot be registered or the window not created.
const int SAVER_WINDOW_FAILED = -1;

// Runs the full-screen saver (no parent) or the preview inside `parent`;
// returns the process's exit code.
int RunSaverWindow(HWND parent);
LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The steps of RunSaverWindow, for tests that run the window in their own
// process: registers the class (0 on failure) ...
ATOM RegisterSaverClass();
// ... and creates the window for the mode that IsPreview selects, at x, y
// (the full screen's may lie left of or above the primary monitor).
HWND CreateSaverWindow(HWND parent, int width, int height, int x = 0, int y = 0);
