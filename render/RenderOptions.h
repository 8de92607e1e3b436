// Command-line options of orbilux-render.
#pragma once
#include <cstdint>
#include <string>

#include "settings/MemoryStore.h"
#include "settings/SettingOptions.h"

struct RenderOptions {
    bool HasSeed = false;
    std::uint32_t Seed = 0;
    std::uint32_t Width = 1024;
    std::uint32_t Height = 768;
    std::uint32_t Ticks = 360;
    MemoryStore Store;           // the settings given, as the stored key
    std::string TracePath;       // empty: no trace; "-": standard output
    std::string PngPath;         // empty: no picture
    std::string GifPath;         // empty: no animation
    std::uint32_t GifEvery = 1;  // ticks per animation frame
    bool Help = false;
};

const std::uint32_t MAX_RENDER_SIZE = 16384;
const std::uint32_t MAX_RENDER_TICKS = 100000000;
// A frame's new pixels then have at most 254 pen colours and black, which
// with the transparent entry fill one 256-colour GIF palette.
const std::uint32_t MAX_GIF_EVERY = 254;

// Parses argv[1..argc-1]; options take one dash or two, and their value as
// the next argument or after '='. On failure returns false with a one-line message.
bool ParseRenderOptions(int argc, const char* const* argv, RenderOptions& options, std::string& error);

// The --help text; the stored values' part comes from SETTINGS_TABLE.
std::string RenderUsage();
