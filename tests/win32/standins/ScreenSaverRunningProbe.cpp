// Reports SPI_GETSCREENSAVERRUNNING as the exit code (0 or 1; 2 when the
// query fails). Each process keeps its own copy of the value once read, so
// a test asks a fresh process to see changes that the saver made.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    BOOL running = FALSE;
    if (!SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0))
        return 2;
    return running ? 1 : 0;
}
