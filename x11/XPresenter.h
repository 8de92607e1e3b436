// Sends rectangles of the frame to an X window: through a shared-memory image
// when the display offers MIT-SHM (and it works, which it does not on a
// remote display), else through XPutImage. A fixed-size staging image takes
// large rectangles in bands of rows, so its memory does not grow with the
// window.
#pragma once
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <string>

#include "render/SoftwareSurface.h"
#include "x11/DirtySurface.h"

// X errors are counted, not fatal: a window that goes away mid-request must
// not end the program with an error status.
void InstallXErrorHandler();
unsigned long XErrorCount();

class XPresenter {
public:
    // For drawing on `window` with `visual` of `depth`; false with a message
    // when the visual is not true-colour.
    bool Open(Display* display, Window window, Visual* visual, int depth, bool tryShm, std::string& error);
    // Sends `r` of `frame` (whose size may have changed since the last call).
    void Put(const Bitmap& frame, const PixelRect& r);
    // Frees every X and shared-memory resource.
    void Close();
    bool UsingShm() const { return Shm; }

private:
    bool MakeImage(std::int32_t width);
    void FreeImage();
    void Convert(const Bitmap& frame, const PixelRect& r, std::int32_t rows);

    Display* Dpy = nullptr;
    Window Target = 0;
    Visual* TargetVisual = nullptr;
    int Depth = 0;
    GC Gc = nullptr;
    bool TryShm = false;
    bool Shm = false;
    XShmSegmentInfo Segment{};
    XImage* Image = nullptr;
    std::int32_t ImageWidth = 0, ImageRows = 0;
    // Where each 8-bit component goes in a pixel value.
    int RedShift = 0, GreenShift = 0, BlueShift = 0, RedBits = 8, GreenBits = 8, BlueBits = 8;
    bool Fast = false;  // 32-bit pixels in this machine's byte order, 8 bits a component
};
