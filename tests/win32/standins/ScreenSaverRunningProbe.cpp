// Exits with SPI_GETSCREENSAVERRUNNING (0 or 1; 2 when the query fails). Each
// process keeps its own copy of the value once read, so a test asks a fresh one.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    BOOL running = FALSE;
    return SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0) ? running != 0 : 2;
}
