// An output's picture in shared memory: one buffer, and a second one only
// when the compositor keeps the first (sway's pixman renderer holds a
// committed buffer until another replaces it). The one drawn on is always
// one the compositor does not hold; before drawing it is brought up to date
// with what the last frame changed: its cleared boxes copied from the one
// shown, its pixels written again.
#pragma once
#include <cstdint>
#include <vector>

#include "wayland/CatchUp.h"
#include "wayland/DamageTiles.h"

struct wl_buffer;
struct wl_shm;

class ShmBuffers {
public:
    ShmBuffers() = default;
    ~ShmBuffers() { Free(); }
    ShmBuffers(const ShmBuffers&) = delete;
    ShmBuffers& operator=(const ShmBuffers&) = delete;

    // Black buffers of `width` x `height` in `format`; false (with nothing
    // held) when the memory cannot be had.
    bool Allocate(wl_shm* shm, std::uint32_t format, std::int32_t width, std::int32_t height);
    void Free();
    bool Allocated() const { return Memory != nullptr; }
    std::int32_t Width() const { return W; }
    std::int32_t Height() const { return H; }

    // Makes the buffer to draw on ready: false while the compositor holds
    // every buffer there may be. Adds the second buffer when the first is
    // held, and copies in what the buffer shown has and it lacks.
    bool PrepareBack();
    // Whether PrepareBack would succeed now.
    bool CanPrepare() const { return Memory && !(Held[Back] && (Count == 2 || Front != Back)); }
    // The pixels of the buffer to draw on (after PrepareBack), row after row.
    std::uint32_t* BackPixels() const { return Pixels[Back]; }
    // The buffer to draw on is committed now: it becomes the one shown, held
    // by the compositor until it releases it. What changed since it was
    // prepared is in `boxes` and then `pixels` (in the order drawn, none
    // under a box drawn after it); or (with `pixelsComplete` false) in
    // `damage`, which covers every change.
    wl_buffer* Present(const std::vector<Box>& damage, const std::vector<PixelWrite>& pixels,
                       const std::vector<Box>& boxes, bool pixelsComplete);

private:
    static void OnRelease(void* data, wl_buffer* buffer);

    wl_shm* Shm = nullptr;
    void* Memory = nullptr;
    std::size_t Bytes = 0;  // the mapping: room for two buffers
    int Fd = -1;
    struct wl_shm_pool* Pool = nullptr;
    std::uint32_t Format = 0;
    std::int32_t W = 0, H = 0;
    int Count = 0;  // buffers made so far (1 or 2)
    wl_buffer* Buffer[2] = {};
    std::uint32_t* Pixels[2] = {};
    bool Held[2] = {};
    int Back = 0;           // the one to draw on
    int Front = -1;         // the one shown last, -1: none yet
    bool NeedsAll = false;  // Back lacks the whole picture
    // What Back lacks otherwise (see CatchUp).
    std::vector<Box> Missing;
    std::vector<PixelWrite> MissingPixels;
};
