// Keeps the picture on the X server: the surface's pixels go, as lists of
// points of one colour, into a pixmap of the window's size, and each tick
// copies the rectangle it changed to the window. The program holds no
// picture of its own, and a tick sends four bytes a pixel drawn.
#pragma once
#include <X11/Xlib.h>

#include <string>

#include "render/SoftwareSurface.h"
#include "x11/DirtySurface.h"

// X errors are counted, not fatal: a window that goes away mid-request must
// not end the program with an error status.
void InstallXErrorHandler();

class XPresenter : public PixelSink {
public:
    // For drawing on `window` with `visual` of `depth`; false with a message
    // when the visual is not true-colour.
    bool Open(Display* display, Window window, Visual* visual, int depth, std::string& error);
    // A new picture of width x height, undefined until drawn; false when the
    // server has no room for it.
    bool Resize(int width, int height);
    void Point(std::int32_t x, std::int32_t y, Colour colour) override;
    void Clear(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;
    // Sends what was drawn, then copies `r` of the picture to the window.
    void Show(const PixelRect& r);
    // Frees the pixmap and the graphics context.
    void Close();

private:
    void SendPoints();
    unsigned long PixelValue(Colour c) const;

    Display* Dpy = nullptr;
    Window Target = 0;
    int Depth = 0;
    GC Gc = nullptr;
    Pixmap Picture = 0;
    // Points not yet sent, all of PointColour.
    static const int POINT_BATCH = 1024;
    XPoint Points[POINT_BATCH];
    int PointCount = 0;
    Colour PointColour = 0;
    // Where each 8-bit component goes in a pixel value.
    int RedShift = 0, GreenShift = 0, BlueShift = 0, RedBits = 8, GreenBits = 8, BlueBits = 8;
};
