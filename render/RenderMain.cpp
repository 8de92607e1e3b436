// orbilux-render: renders figures without a window, to a trace of every
// drawing event and a PNG picture.
#include <cstdio>
#include <ctime>
#include <string>

#include "render/RenderOptions.h"
#include "render/Renderer.h"
#ifdef ORBILUX_HAVE_PNG
#include "render/PngWriter.h"
#endif
#ifdef ORBILUX_HAVE_GIF
#include "render/GifWriter.h"
#endif
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

int Fail(const std::string& message)
{
    std::fprintf(stderr, "orbilux-render: %s\n", message.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    RenderOptions options;
    std::string error;
    if (!ParseRenderOptions(argc, argv, options, error))
        return Fail(error + " (try --help)");
    if (options.Help) {
        std::fputs(RENDER_USAGE, stdout);
        return 0;
    }
#ifndef ORBILUX_HAVE_PNG
    if (!options.PngPath.empty())
        return Fail("--png: this build has no PNG output");
#endif
#ifndef ORBILUX_HAVE_GIF
    if (!options.GifPath.empty())
        return Fail("--gif: this build has no GIF output");
#endif

    std::FILE* trace = nullptr;
    if (options.TracePath == "-") {
#ifdef _WIN32
        _setmode(_fileno(stdout), _O_BINARY);  // the same bytes as every other build
#endif
        trace = stdout;
    } else if (!options.TracePath.empty()) {
        trace = std::fopen(options.TracePath.c_str(), "wb");
        if (!trace)
            return Fail("--trace: cannot write '" + options.TracePath + "'");
    }

    RenderRequest request;
    request.Seed = options.HasSeed ? options.Seed : static_cast<std::uint32_t>(std::time(nullptr));
    request.Width = options.Width;
    request.Height = options.Height;
    request.Ticks = options.Ticks;

    bool pictures = !options.PngPath.empty() || !options.GifPath.empty();
    Bitmap bitmap(pictures ? static_cast<std::int32_t>(options.Width) : 0,
                  pictures ? static_cast<std::int32_t>(options.Height) : 0);
#ifdef ORBILUX_HAVE_GIF
    GifWriter gif(options.GifPath, options.Width, options.Height, options.GifEvery, options.Ticks);
    if (!options.GifPath.empty()) {
        if (!gif.Open()) {
            if (trace && trace != stdout)
                std::fclose(trace);
            std::fprintf(stderr, "orbilux-render: cannot write '%s'\n", options.GifPath.c_str());
            return 1;
        }
        request.Observer = &gif;
    }
#endif
    bool traced = RunRender(request, options.Store, trace, pictures ? &bitmap : nullptr);
    if (trace && trace != stdout)
        traced = std::fclose(trace) == 0 && traced;
#ifdef ORBILUX_HAVE_GIF
    if (!options.GifPath.empty() && !gif.Finish(bitmap, traced) && traced) {
        std::fprintf(stderr, "orbilux-render: cannot write '%s'\n", options.GifPath.c_str());
        return 1;
    }
#endif
    if (!traced) {
        std::fprintf(stderr, "orbilux-render: writing the trace failed\n");
        return 1;
    }

#ifdef ORBILUX_HAVE_PNG
    if (!options.PngPath.empty()) {
        if (!WritePng(bitmap, options.PngPath.c_str())) {
            std::fprintf(stderr, "orbilux-render: cannot write '%s'\n", options.PngPath.c_str());
            return 1;
        }
    }
#endif
    if (pictures && trace != stdout)
        std::printf("%s: %u x %u after %u ticks, seed %u\n",
                    (options.PngPath.empty() ? options.GifPath : options.PngPath).c_str(), options.Width,
                    options.Height, options.Ticks, request.Seed);
    return 0;
}
