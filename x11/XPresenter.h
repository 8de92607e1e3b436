// Keeps the picture on the X server: the surface's pixels go, as lists of
// points of one colour, into a pixmap of the window's size, and each tick
// copies the rectangle holding the pixels it changed to the window. The
// program holds no picture of its own; a tick sends four bytes a pixel drawn.
#pragma once
#include <X11/Xlib.h>

#include <string>

#include "raster/SoftwareSurface.h"

// Left and top included, right and bottom excluded; empty when right <= left
// or bottom <= top.
struct PixelRect {
    std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Empty() const { return Right <= Left || Bottom <= Top; }
};

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
    // Marks a rectangle of the window to show again (an exposed area).
    void Add(const PixelRect& r);
    // Sends what was drawn, then copies to the window the part of the
    // picture that changed or was marked since the last call.
    void Show();
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
    int Width = 0, Height = 0;
    PixelRect Changed;
    // Points not yet sent, all of PointColour.
    static const int POINT_BATCH = 1024;
    XPoint Points[POINT_BATCH];
    int PointCount = 0;
    Colour PointColour = 0;
    // Where each 8-bit component goes in a pixel value.
    int RedShift = 0, GreenShift = 0, BlueShift = 0, RedBits = 8, GreenBits = 8, BlueBits = 8;
};
