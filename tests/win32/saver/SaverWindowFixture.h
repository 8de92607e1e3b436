// A saver window created inside the test program through the host library,
// with every process-wide record fresh and the host's calls recorded.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include "RecordedCalls.h"

// Where the pointer stands when each window is created: the reference point
// of mouse travel.
const POINT START_POINT = {400, 300};

class SaverWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the full-screen window (no parent) or the preview in `parent`.
    void CreateSaver(HWND parent = nullptr);
    // Moves the pointer and sends the window the move it causes.
    void MoveMouseTo(int x, int y);
    // Removes a queued WM_CLOSE of the window; true when there was one.
    bool TakeCloseRequest();
    // Sends n timer ticks.
    void Tick(int n);

    HWND Window = nullptr;
    HWND Parent = nullptr;
};
