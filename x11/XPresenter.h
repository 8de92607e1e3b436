// Sends the surface's pixels straight to the window, as lists of points of
// one colour: no copy of the picture is kept, neither here nor in the X
// server. What the window loses (an exposed area) is drawn again by replaying
// the figure into that area alone: the presenter then passes on only the
// pixels inside it, and the server clips to the exposed rectangles.
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
    // For drawing on `window` with `visual`; false with a message when the
    // visual is not true-colour.
    bool Open(Display* display, Window window, Visual* visual, std::string& error);
    void Point(std::int32_t x, std::int32_t y, Colour colour) override;
    void Clear(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;
    // Notes an exposed rectangle of the window, to be drawn again.
    void AddExposed(const PixelRect& r);
    // True when exposed rectangles wait; then draws only inside them until
    // EndRepaint.
    bool BeginRepaint();
    void EndRepaint();
    // Sends the points not yet sent.
    void Flush();
    // Frees the graphics context.
    void Close();

private:
    unsigned long PixelValue(Colour c) const;

    Display* Dpy = nullptr;
    Window Target = 0;
    GC Gc = nullptr;
    // The exposed rectangles, and their bounding box: while repainting,
    // pixels outside the box are not sent. More rectangles than fit become
    // one, their bounding box.
    static const int EXPOSED_MAX = 16;
    XRectangle Exposed[EXPOSED_MAX];
    int ExposedCount = 0;
    PixelRect Bounds;
    bool Repainting = false;
    // Points not yet sent, all of PointColour.
    static const int POINT_BATCH = 1024;
    XPoint Points[POINT_BATCH];
    int PointCount = 0;
    Colour PointColour = 0;
    // Where each 8-bit component goes in a pixel value.
    int RedShift = 0, GreenShift = 0, BlueShift = 0, RedBits = 8, GreenBits = 8, BlueBits = 8;
};
