#include "wayland/ShmBuffers.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cstring>

bool ShmBuffers::Allocate(wl_shm* shm, std::uint32_t format, std::int32_t width, std::int32_t height)
{
    Free();
    std::size_t one = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    if (width <= 0 || height <= 0 || one > 0x7FFFFFFFu / 2)
        return false;
    Bytes = one * 2;
    // Pages of the second buffer cost nothing until it is drawn on.
    Fd = memfd_create("orbilux-wayland", MFD_CLOEXEC);
    if (Fd < 0 || ftruncate(Fd, static_cast<off_t>(Bytes)) != 0) {
        Free();
        return false;
    }
    void* memory = mmap(nullptr, Bytes, PROT_READ | PROT_WRITE, MAP_SHARED, Fd, 0);
    if (memory == MAP_FAILED) {
        Free();
        return false;
    }
    Memory = memory;
    Shm = shm;
    Format = format;
    W = width, H = height;
    Pool = wl_shm_create_pool(shm, Fd, static_cast<std::int32_t>(Bytes));
    Pixels[0] = static_cast<std::uint32_t*>(Memory);
    Pixels[1] = Pixels[0] + one / 4;
    static const wl_buffer_listener listener = {OnRelease};
    Buffer[0] = wl_shm_pool_create_buffer(Pool, 0, width, height, width * 4, format);
    wl_buffer_add_listener(Buffer[0], &listener, this);
    Count = 1;
    Back = 0, Front = -1;
    Held[0] = Held[1] = false;
    NeedsAll = false;
    Missing.clear();
    MissingPixels.clear();
    return true;
}

void ShmBuffers::Free()
{
    for (wl_buffer*& buffer : Buffer)
        if (buffer)
            wl_buffer_destroy(buffer), buffer = nullptr;
    if (Pool)
        wl_shm_pool_destroy(Pool), Pool = nullptr;
    if (Memory)
        munmap(Memory, Bytes), Memory = nullptr;
    if (Fd >= 0)
        close(Fd), Fd = -1;
    Count = 0;
}

void ShmBuffers::OnRelease(void* data, wl_buffer* buffer)
{
    ShmBuffers* self = static_cast<ShmBuffers*>(data);
    for (int i = 0; i < 2; i++)
        if (self->Buffer[i] == buffer)
            self->Held[i] = false;
}

bool ShmBuffers::PrepareBack()
{
    if (!Memory)
        return false;
    if (Held[Back]) {
        if (Count == 2 || Front != Back)
            return false;
        // The compositor keeps what it was given: a second buffer, once.
        static const wl_buffer_listener listener = {OnRelease};
        Buffer[1] = wl_shm_pool_create_buffer(Pool, static_cast<std::int32_t>(Bytes / 2), W, H, W * 4, Format);
        wl_buffer_add_listener(Buffer[1], &listener, this);
        Count = 2;
        Back = 1;
        NeedsAll = true;
    }
    if (Front >= 0 && Front != Back) {
        if (NeedsAll) {
            std::memcpy(Pixels[Back], Pixels[Front], Bytes / 2);
        } else {
            CatchUp(Pixels[Back], Pixels[Front], W, Missing, MissingPixels);
        }
    }
    NeedsAll = false;
    Missing.clear();
    MissingPixels.clear();
    return true;
}

wl_buffer* ShmBuffers::Present(const std::vector<Box>& damage, const std::vector<PixelWrite>& pixels,
                               const std::vector<Box>& boxes, bool pixelsComplete)
{
    wl_buffer* shown = Buffer[Back];
    Held[Back] = true;
    Front = Back;
    if (Count == 2) {
        Back = 1 - Back;
        // Copies within their room after the first frames.
        if (pixelsComplete) {
            Missing.assign(boxes.begin(), boxes.end());
            MissingPixels.assign(pixels.begin(), pixels.end());
        } else {
            Missing.assign(damage.begin(), damage.end());
        }
    }
    return shown;
}
