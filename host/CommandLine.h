// The process entry's command line: the Windows side of CommandLineScan.h.
#pragma once
#include <windows.h>

// Exit code for a command line that names no usable mode.
const int NO_USABLE_MODE = -1;
// Exit code of a run that the fault guard ended.
const int FAULT_EXIT_CODE = -1;

// The text behind the program name of a full command line.
const char* CommandLineTail(const char* commandLine);
// Detects the platform, reads the mode letter and runs the mode, all inside
// the fault guard; returns the process's exit code.
int DispatchCommandLine(HINSTANCE instance, const char* tail);
