// orbilux-render: renders figures without a window, to a trace of every
// drawing event and a PNG picture.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "render/RenderOptions.h"
#include "render/Renderer.h"
#include "settings/NumberText.h"
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

int Fail(const std::string& message, int status = 2)
{
    std::fprintf(stderr, "orbilux-render: %s\n", message.c_str());
    return status;
}

// After a failed write: the file as typed and the system's reason.
[[maybe_unused]] int CannotWrite(const std::string& path)
{
    return Fail("cannot write " + Quoted(path) + ": " + std::strerror(errno != 0 ? errno : EIO), 1);
}

}  // namespace

int main(int argc, char** argv)
{
    RenderOptions options;
    std::string error;
    if (!ParseRenderOptions(argc, argv, options, error))
        return Fail(error + " (try --help)");
    if (options.Help) {
        std::fputs(RenderUsage().c_str(), stdout);
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

    if (options.TracePath.empty() && options.PngPath.empty() && options.GifPath.empty())
        std::fputs("orbilux-render: no --trace, --png or --gif given: the run writes nothing\n", stderr);

    std::FILE* trace = nullptr;
    if (options.TracePath == "-") {
#ifdef _WIN32
        _setmode(_fileno(stdout), _O_BINARY);  // the same bytes as every other build
#endif
        trace = stdout;
    } else if (!options.TracePath.empty()) {
        trace = std::fopen(options.TracePath.c_str(), "wb");
        if (!trace)
            return Fail("--trace: cannot write " + Quoted(options.TracePath) + ": " + std::strerror(errno));
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
        errno = 0;
        if (!gif.Open()) {
            int reason = errno;
            if (trace && trace != stdout)
                std::fclose(trace);
            errno = reason;
            return CannotWrite(options.GifPath);
        }
        request.Observer = &gif;
    }
#endif
    errno = 0;
    bool traced = RunRender(request, options.Store, trace, pictures ? &bitmap : nullptr);
    if (trace && trace != stdout)
        traced = std::fclose(trace) == 0 && traced;
#ifdef ORBILUX_HAVE_GIF
    if (!options.GifPath.empty() && !gif.Finish(bitmap, traced) && traced)
        return CannotWrite(options.GifPath);
#endif
    if (!traced) {
        return Fail(std::string("writing the trace failed: ") + std::strerror(errno != 0 ? errno : EIO), 1);
    }

#ifdef ORBILUX_HAVE_PNG
    if (!options.PngPath.empty()) {
        errno = 0;
        if (!WritePng(bitmap, options.PngPath.c_str()))
            return CannotWrite(options.PngPath);
    }
#endif
    if (pictures && trace != stdout)
        std::printf("%s: %u x %u after %u ticks, seed %u\n",
                    (options.PngPath.empty() ? options.GifPath : options.PngPath).c_str(), options.Width,
                    options.Height, options.Ticks, request.Seed);
    return 0;
}
