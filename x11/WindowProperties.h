// What window managers, task bars and desktop tools read from a top-level
// window (ICCCM and EWMH): its name, class, machine and process, and icon.
#pragma once
#include <X11/Xlib.h>

// Names the saver's own window "Orbilux", class ("orbilux", "Orbilux"), with
// this process's id and host, the command line that started it and the
// Windows saver's icon.
void DescribeOwnWindow(Display* display, Window window, int argc, char** argv);
