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

bool XPresenter::Open(Display* display, Window window, Visual* visual, int depth, std::string& error)
{
    if (visual->c_class != TrueColor && visual->c_class != DirectColor) {
        error = "the window's visual is not true-colour";
        return false;
    }
    Dpy = display;
    Target = window;
    Depth = depth;
    MaskPosition(visual->red_mask, RedShift, RedBits);
    MaskPosition(visual->green_mask, GreenShift, GreenBits);
    MaskPosition(visual->blue_mask, BlueShift, BlueBits);
    // Without graphics exposures a copy sends no event back.
    XGCValues values;
    values.graphics_exposures = False;
    Gc = XCreateGC(display, window, GCGraphicsExposures, &values);
    return true;
}

bool XPresenter::Resize(int width, int height)
{
    PointCount = 0;  // drawn on the old picture
    Changed = PixelRect();
    Width = width;
    Height = height;
    if (Picture)
        XFreePixmap(Dpy, Picture);
    unsigned long before = Errors;
    Picture = XCreatePixmap(Dpy, Target, static_cast<unsigned>(width), static_cast<unsigned>(height),
                            static_cast<unsigned>(Depth));
    XSync(Dpy, False);
    if (Errors == before)
        return true;
    Picture = 0;
    return false;
}

unsigned long XPresenter::PixelValue(Colour c) const
{
    return Component(c & 0xFF, RedShift, RedBits) | Component((c >> 8) & 0xFF, GreenShift, GreenBits) |
           Component((c >> 16) & 0xFF, BlueShift, BlueBits);
}

void XPresenter::SendPoints()
{
    if (PointCount == 0 || !Picture)
        return;
    XSetForeground(Dpy, Gc, PixelValue(PointColour));  // Xlib sends only a change
    XDrawPoints(Dpy, Picture, Gc, Points, PointCount, CoordModeOrigin);
    PointCount = 0;
}

void XPresenter::Point(std::int32_t x, std::int32_t y, Colour colour)
{
    if (PointCount == POINT_BATCH || (PointCount > 0 && colour != PointColour))
        SendPoints();
    PointColour = colour;
    Points[PointCount++] = {static_cast<short>(x), static_cast<short>(y)};
    Add({x, y, x + 1, y + 1});
}

void XPresenter::Clear(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
{
    SendPoints();
    if (!Picture)
        return;
    XSetForeground(Dpy, Gc, 0);
    XFillRectangle(Dpy, Picture, Gc, left, top, static_cast<unsigned>(right - left),
                   static_cast<unsigned>(bottom - top));
    Add({left, top, right, bottom});
}

void XPresenter::Add(const PixelRect& r)
{
    if (r.Empty())
        return;
    if (Changed.Empty()) {
        Changed = r;
        return;
    }
    Changed.Left = std::min(Changed.Left, r.Left);
    Changed.Top = std::min(Changed.Top, r.Top);
    Changed.Right = std::max(Changed.Right, r.Right);
    Changed.Bottom = std::max(Changed.Bottom, r.Bottom);
}

void XPresenter::Show()
{
    SendPoints();
    // An exposed area may reach beyond a picture that has since shrunk.
    PixelRect r{std::max(Changed.Left, 0), std::max(Changed.Top, 0), std::min(Changed.Right, Width),
                std::min(Changed.Bottom, Height)};
    Changed = PixelRect();
    if (r.Empty() || !Picture)
        return;
    XCopyArea(Dpy, Picture, Target, Gc, r.Left, r.Top, static_cast<unsigned>(r.Right - r.Left),
              static_cast<unsigned>(r.Bottom - r.Top), r.Left, r.Top);
}

void XPresenter::Close()
{
    if (Picture)
        XFreePixmap(Dpy, Picture);
    Picture = 0;
    if (Gc)
        XFreeGC(Dpy, Gc);
    Gc = nullptr;
}
