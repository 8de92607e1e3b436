#include "x11/XPresenter.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>
#include <cstring>

namespace {

// Pixels a staging image holds: a few hundred KiB whatever the window size.
const std::int32_t STAGING_PIXELS = 65536;

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

bool LittleEndian()
{
    const std::uint16_t one = 1;
    return *reinterpret_cast<const unsigned char*>(&one) == 1;
}

}  // namespace

void InstallXErrorHandler()
{
    XSetErrorHandler(CountError);
}

unsigned long XErrorCount()
{
    return Errors;
}

bool XPresenter::Open(Display* display, Window window, Visual* visual, int depth, bool tryShm, std::string& error)
{
    if (visual->c_class != TrueColor && visual->c_class != DirectColor) {
        error = "the window's visual is not true-colour";
        return false;
    }
    Dpy = display;
    Target = window;
    TargetVisual = visual;
    Depth = depth;
    TryShm = tryShm && XShmQueryExtension(display);
    MaskPosition(visual->red_mask, RedShift, RedBits);
    MaskPosition(visual->green_mask, GreenShift, GreenBits);
    MaskPosition(visual->blue_mask, BlueShift, BlueBits);
    Gc = XCreateGC(display, window, 0, nullptr);
    return true;
}

bool XPresenter::MakeImage(std::int32_t width)
{
    FreeImage();
    ImageWidth = width;
    ImageRows = width >= STAGING_PIXELS ? 1 : STAGING_PIXELS / width;
    unsigned w = static_cast<unsigned>(width), h = static_cast<unsigned>(ImageRows);
    if (TryShm) {
        Image = XShmCreateImage(Dpy, TargetVisual, static_cast<unsigned>(Depth), ZPixmap, nullptr, &Segment, w, h);
        if (Image) {
            Segment.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(Image->bytes_per_line) * h, IPC_CREAT | 0600);
            Segment.shmaddr = Segment.shmid < 0 ? reinterpret_cast<char*>(-1)
                                                : static_cast<char*>(shmat(Segment.shmid, nullptr, 0));
            if (Segment.shmaddr != reinterpret_cast<char*>(-1)) {
                Image->data = Segment.shmaddr;
                Segment.readOnly = True;
                unsigned long before = Errors;
                XShmAttach(Dpy, &Segment);
                XSync(Dpy, False);
                // Gone once both sides have detached, whatever happens to us.
                shmctl(Segment.shmid, IPC_RMID, nullptr);
                if (Errors == before)
                    Shm = true;
                else
                    shmdt(Segment.shmaddr);
            } else if (Segment.shmid >= 0) {
                shmctl(Segment.shmid, IPC_RMID, nullptr);
            }
            if (!Shm) {
                Image->data = nullptr;
                XDestroyImage(Image);
                Image = nullptr;
                TryShm = false;  // a remote display: do not try again
            }
        }
    }
    if (!Image) {
        Image = XCreateImage(Dpy, TargetVisual, static_cast<unsigned>(Depth), ZPixmap, 0, nullptr, w, h, 32, 0);
        if (!Image)
            return false;
        Image->data = static_cast<char*>(std::calloc(static_cast<std::size_t>(Image->bytes_per_line), h));
        if (!Image->data) {
            XDestroyImage(Image);
            Image = nullptr;
            return false;
        }
    }
    Fast = Image->bits_per_pixel == 32 && RedBits == 8 && GreenBits == 8 && BlueBits == 8 &&
           (Image->byte_order == LSBFirst) == LittleEndian();
    return true;
}

void XPresenter::FreeImage()
{
    if (!Image)
        return;
    if (Shm) {
        XShmDetach(Dpy, &Segment);
        XSync(Dpy, False);
        shmdt(Segment.shmaddr);
        Image->data = nullptr;
        Shm = false;
    }
    XDestroyImage(Image);  // frees the calloc'ed pixels too
    Image = nullptr;
}

void XPresenter::Convert(const Bitmap& frame, const PixelRect& r, std::int32_t rows)
{
    std::int32_t width = r.Right - r.Left;
    for (std::int32_t row = 0; row < rows; row++) {
        const Colour* source = &frame.Pixels[static_cast<std::size_t>(r.Top + row) * frame.Width + r.Left];
        if (Fast) {
            std::uint32_t* target = reinterpret_cast<std::uint32_t*>(Image->data + row * Image->bytes_per_line);
            for (std::int32_t x = 0; x < width; x++) {
                Colour c = source[x];
                target[x] = ((c & 0xFF) << RedShift) | (((c >> 8) & 0xFF) << GreenShift) |
                            (((c >> 16) & 0xFF) << BlueShift);
            }
        } else {
            for (std::int32_t x = 0; x < width; x++) {
                Colour c = source[x];
                XPutPixel(Image, x, row,
                          Component(c & 0xFF, RedShift, RedBits) | Component((c >> 8) & 0xFF, GreenShift, GreenBits) |
                              Component((c >> 16) & 0xFF, BlueShift, BlueBits));
            }
        }
    }
}

void XPresenter::Put(const Bitmap& frame, const PixelRect& rect)
{
    PixelRect r = Clip(rect, frame.Width, frame.Height);
    if (r.Empty() || !Gc)
        return;
    if ((!Image || ImageWidth != frame.Width) && !MakeImage(frame.Width))
        return;
    unsigned width = static_cast<unsigned>(r.Right - r.Left);
    for (PixelRect band = r; band.Top < r.Bottom; band.Top += ImageRows) {
        std::int32_t rows = r.Bottom - band.Top < ImageRows ? r.Bottom - band.Top : ImageRows;
        Convert(frame, band, rows);
        if (Shm) {
            XShmPutImage(Dpy, Target, Gc, Image, 0, 0, band.Left, band.Top, width, static_cast<unsigned>(rows), False);
            // The server reads the segment later; it must be done before the
            // next band or tick writes it again.
            XSync(Dpy, False);
        } else {
            XPutImage(Dpy, Target, Gc, Image, 0, 0, band.Left, band.Top, width, static_cast<unsigned>(rows));
        }
    }
}

void XPresenter::Close()
{
    FreeImage();
    if (Gc)
        XFreeGC(Dpy, Gc);
    Gc = nullptr;
}
