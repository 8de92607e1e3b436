// Sends rectangles of the frame to an X window, in bands that fit a fixed
// staging memory: a shared-memory segment when the display offers MIT-SHM
// (and it works, which it does not on a remote display), else plain memory
// and XPutImage. The memory does not grow with the window.
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

class XPresenter {
public:
    // For drawing on `window` with `visual` of `depth`; false with a message
    // when the visual is not true-colour.
    bool Open(Display* display, Window window, Visual* visual, int depth, bool tryShm, std::string& error);
    // How the frame holds its pixels: the server's own format when it has
    // 32-bit pixels with 8 bits a component (then rows are copied as they
    // are), else 0x00BBGGRR (then each pixel is converted).
    const PixelEncoding& Encoding() const { return FrameEncoding; }
    // Sends `r` of `frame`.
    void Put(const Bitmap& frame, const PixelRect& r);
    // Frees every X and shared-memory resource.
    void Close();

private:
    void Copy(const Bitmap& frame, const PixelRect& r, XImage* image);

    Display* Dpy = nullptr;
    Window Target = 0;
    Visual* TargetVisual = nullptr;
    int Depth = 0;
    GC Gc = nullptr;
    bool Shm = false;
    XShmSegmentInfo Segment{};
    char* Staging = nullptr;
    PixelEncoding FrameEncoding;
    bool Direct = false;
    // Where each 8-bit component goes in a pixel value.
    int RedShift = 0, GreenShift = 0, BlueShift = 0, RedBits = 8, GreenBits = 8, BlueBits = 8;
};
