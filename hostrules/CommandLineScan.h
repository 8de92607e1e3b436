// The command line's rules, free of the platform: where the text behind the
// program name starts, which mode its first letter names and the window
// number behind that letter.
#pragma once
#include <cstdint>

enum class SaverMode { None, ConfigDialog, FullScreen, Preview, ChangePassword };

struct ModeChoice {
    SaverMode Mode;
    bool DialogOwned;      // "c": the dialog is owned by the foreground window
    std::uint32_t Window;  // the number behind "p", "l" or "a"; 0 = none
};

// One character forward; the host passes the multi-byte aware CharNextA.
typedef const char* (*CharStep)(const char* p);

// The text behind the program name of a full command line.
const char* TailAfterProgramName(const char* commandLine, CharStep next);
// Spaces, dashes and slashes are skipped; the first other byte names the
// mode, and only a window number behind it is read.
ModeChoice ScanMode(const char* tail);
// A decimal window number; 0 when the text does not start with a digit.
// Wraps modulo 2^32 however many digits follow.
std::uint32_t ParseWindowHandle(const char* text);
