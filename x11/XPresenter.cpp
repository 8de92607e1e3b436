#include "x11/XPresenter.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>
#include <cstring>

namespace {

// Staging bytes: a tick's rectangle in one piece, a few hundred KiB whatever
// the window size.
const std::size_t STAGING_BYTES = 256 * 1024;
const std::size_t SOCKET_BYTES = 8 * 1024;

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

int BitsPerPixel(Display* display, int depth)
{
    int count = 0, bits = 0;
    XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
    for (int i = 0; i < count; i++)
        if (formats[i].depth == depth)
            bits = formats[i].bits_per_pixel;
    if (formats)
        XFree(formats);
    return bits;
}

bool LittleEndian()
{
    const std::uint16_t one = 1;
    return *reinterpret_cast<const unsigned char*>(&one) == 1;
}

// Attaches a new segment of `bytes` to the server; null when that fails.
char* AttachSegment(Display* display, XShmSegmentInfo& segment, std::size_t bytes)
{
    segment.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (segment.shmid < 0)
        return nullptr;
    segment.shmaddr = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
    segment.readOnly = True;
    bool attached = false;
    if (segment.shmaddr != reinterpret_cast<char*>(-1)) {
        unsigned long before = Errors;
        XShmAttach(display, &segment);
        XSync(display, False);
        attached = Errors == before;
    }
    // Gone once both sides have detached, whatever happens to this process.
    shmctl(segment.shmid, IPC_RMID, nullptr);
    if (attached)
        return segment.shmaddr;
    if (segment.shmaddr != reinterpret_cast<char*>(-1))
        shmdt(segment.shmaddr);
    return nullptr;
}

}  // namespace

void InstallXErrorHandler()
{
    XSetErrorHandler(CountError);
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
    MaskPosition(visual->red_mask, RedShift, RedBits);
    MaskPosition(visual->green_mask, GreenShift, GreenBits);
    MaskPosition(visual->blue_mask, BlueShift, BlueBits);
    Direct = BitsPerPixel(display, depth) == 32 && RedBits == 8 && GreenBits == 8 && BlueBits == 8 &&
             (ImageByteOrder(display) == LSBFirst) == LittleEndian();
    if (Direct)
        FrameEncoding = PixelEncoding{RedShift, GreenShift, BlueShift};

    if (tryShm && XShmQueryExtension(display))
        Staging = AttachSegment(display, Segment, STAGING_BYTES);
    Shm = Staging != nullptr;
    if (!Staging)
        Staging = static_cast<char*>(std::malloc(STAGING_BYTES));
    if (!Staging) {
        error = "out of memory";
        return false;
    }
    Gc = XCreateGC(display, window, 0, nullptr);
    return true;
}

void XPresenter::Copy(const Bitmap& frame, const PixelRect& r, XImage* image)
{
    std::int32_t width = r.Right - r.Left;
    for (std::int32_t row = 0; row < r.Bottom - r.Top; row++) {
        const Colour* source = &frame.Pixels[static_cast<std::size_t>(r.Top + row) * frame.Width + r.Left];
        if (Direct) {
            std::memcpy(image->data + row * image->bytes_per_line, source, static_cast<std::size_t>(width) * 4);
            continue;
        }
        for (std::int32_t x = 0; x < width; x++) {
            Colour c = source[x];
            XPutPixel(image, x, row,
                      Component(c & 0xFF, RedShift, RedBits) | Component((c >> 8) & 0xFF, GreenShift, GreenBits) |
                          Component((c >> 16) & 0xFF, BlueShift, BlueBits));
        }
    }
}

void XPresenter::Put(const Bitmap& frame, const PixelRect& rect)
{
    PixelRect r = Clip(rect, frame.Width, frame.Height);
    if (r.Empty() || !Gc)
        return;
    unsigned width = static_cast<unsigned>(r.Right - r.Left);
    // Rows of this width that the staging memory holds (X windows are at
    // most 32767 wide, so at least one).
    std::int32_t bandRows = static_cast<std::int32_t>(STAGING_BYTES / (static_cast<std::size_t>(width) * 4));
    for (PixelRect band = r; band.Top < r.Bottom; band.Top += bandRows) {
        band.Bottom = r.Bottom - band.Top < bandRows ? r.Bottom : band.Top + bandRows;
        unsigned rows = static_cast<unsigned>(band.Bottom - band.Top);
        // A small band goes through the socket, within Xlib's output buffer:
        // cheaper than the round trip that a shared-memory put needs.
        bool shared = Shm && static_cast<std::size_t>(width) * rows * 4 > SOCKET_BYTES;
        XImage* image = shared ? XShmCreateImage(Dpy, TargetVisual, static_cast<unsigned>(Depth), ZPixmap, Staging,
                                              &Segment, width, rows)
                            : XCreateImage(Dpy, TargetVisual, static_cast<unsigned>(Depth), ZPixmap, 0, Staging,
                                           width, rows, 32, 0);
        if (!image || static_cast<std::size_t>(image->bytes_per_line) * rows > STAGING_BYTES) {
            if (image) {
                image->data = nullptr;
                XDestroyImage(image);
            }
            return;
        }
        Copy(frame, band, image);
        if (shared) {
            XShmPutImage(Dpy, Target, Gc, image, 0, 0, band.Left, band.Top, width, rows, False);
            // The server reads the segment after the request; it must be done
            // before the segment is written again.
            XSync(Dpy, False);
        } else {
            XPutImage(Dpy, Target, Gc, image, 0, 0, band.Left, band.Top, width, rows);
        }
        image->data = nullptr;  // the staging memory stays
        XDestroyImage(image);
    }
}

void XPresenter::Close()
{
    if (Shm) {
        XShmDetach(Dpy, &Segment);
        XSync(Dpy, False);
        shmdt(Segment.shmaddr);
    } else {
        std::free(Staging);
    }
    Staging = nullptr;
    Shm = false;
    if (Gc)
        XFreeGC(Dpy, Gc);
    Gc = nullptr;
}
