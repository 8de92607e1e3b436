#include "x11/XPresenter.h"

#include <algorithm>

namespace {

unsigned long Errors = 0;

int CountError(Display*, XErrorEvent*)
{
    Errors++;
    return 0;
}

void MaskPosition(unsigned long mask, int& shift, int& bits)
{
    shift = 0;
    bits = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        shift++;
    }
    while (mask & 1) {
        mask >>= 1;
        bits++;
    }
}

unsigned long Component(std::uint32_t value, int shift, int bits)
{
    unsigned long v = bits <= 8 ? value >> (8 - bits) : static_cast<unsigned long>(value) << (bits - 8);
    return v << shift;
}

}  // namespace

void InstallXErrorHandler()
{
    XSetErrorHandler(CountError);
}

bool XPresenter::Open(Display* display, Window window, Visual* visual, std::string& error)
{
    if (visual->c_class != TrueColor && visual->c_class != DirectColor) {
        error = "the window's visual is not true-colour";
        return false;
    }
    Dpy = display;
    Target = window;
    MaskPosition(visual->red_mask, RedShift, RedBits);
    MaskPosition(visual->green_mask, GreenShift, GreenBits);
    MaskPosition(visual->blue_mask, BlueShift, BlueBits);
    Gc = XCreateGC(display, window, 0, nullptr);
    return true;
}

unsigned long XPresenter::PixelValue(Colour c) const
{
    return Component(c & 0xFF, RedShift, RedBits) | Component((c >> 8) & 0xFF, GreenShift, GreenBits) |
        Component((c >> 16) & 0xFF, BlueShift, BlueBits);
}

void XPresenter::Flush()
{
    if (PointCount == 0)
        return;
    XSetForeground(Dpy, Gc, PixelValue(PointColour));  // Xlib sends only a change
    XDrawPoints(Dpy, Target, Gc, Points, PointCount, CoordModeOrigin);
    PointCount = 0;
}

void XPresenter::Point(std::int32_t x, std::int32_t y, Colour colour)
{
    if (Repainting && (x < Bounds.Left || x >= Bounds.Right || y < Bounds.Top || y >= Bounds.Bottom))
        return;
    if (PointCount == POINT_BATCH || (PointCount > 0 && colour != PointColour))
        Flush();
    PointColour = colour;
    Points[PointCount++] = {static_cast<short>(x), static_cast<short>(y)};
}

void XPresenter::Clear(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
{
    Flush();
    if (Repainting) {
        left = std::max(left, Bounds.Left);
        top = std::max(top, Bounds.Top);
        right = std::min(right, Bounds.Right);
        bottom = std::min(bottom, Bounds.Bottom);
        if (right <= left || bottom <= top)
            return;
    }
    XSetForeground(Dpy, Gc, PixelValue(0));
    XFillRectangle(Dpy, Target, Gc, left, top, static_cast<unsigned>(right - left),
                   static_cast<unsigned>(bottom - top));
}

void XPresenter::AddExposed(const PixelRect& r)
{
    if (r.Empty())
        return;
    if (ExposedCount == 0) {
        Bounds = r;
    } else {
        Bounds.Left = std::min(Bounds.Left, r.Left);
        Bounds.Top = std::min(Bounds.Top, r.Top);
        Bounds.Right = std::max(Bounds.Right, r.Right);
        Bounds.Bottom = std::max(Bounds.Bottom, r.Bottom);
    }
    if (ExposedCount == EXPOSED_MAX)
        ExposedCount = 0;  // from now on the bounding box alone
    const PixelRect& add = ExposedCount == 0 ? Bounds : r;
    Exposed[ExposedCount++] = {static_cast<short>(add.Left), static_cast<short>(add.Top),
                               static_cast<unsigned short>(add.Right - add.Left),
                               static_cast<unsigned short>(add.Bottom - add.Top)};
}

bool XPresenter::BeginRepaint()
{
    if (ExposedCount == 0)
        return false;
    Flush();
    XSetClipRectangles(Dpy, Gc, 0, 0, Exposed, ExposedCount, Unsorted);
    Repainting = true;
    return true;
}

void XPresenter::EndRepaint()
{
    Flush();
    XSetClipMask(Dpy, Gc, None);
    Repainting = false;
    ExposedCount = 0;
}

void XPresenter::Close()
{
    if (Gc)
        XFreeGC(Dpy, Gc);
    Gc = nullptr;
}
