// orbilux-render: renders figures without a window, to a trace of every
// drawing event, a PNG picture and an animated GIF.
//
// Exit status: 0 when everything asked for was written; 2 when the command
// line is refused, before anything is opened; 1 when the run fails (an
// output that cannot be opened or written, memory that cannot be had), and
// then every file it opened is removed again.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "render/OutputFile.h"
#include "render/RenderOptions.h"
#include "render/Renderer.h"
#include "settings/NumberText.h"
#ifdef ORBILUX_HAVE_PNG
#include "render/PngWriter.h"
#endif
#ifdef ORBILUX_HAVE_GIF
#include "render/GifWriter.h"
#endif

namespace {

const int USAGE_STATUS = 2;
const int FAILURE_STATUS = 1;

int Fail(const std::string& message, int status)
{
    std::fprintf(stderr, "orbilux-render: %s\n", message.c_str());
    return status;
}

std::string Reason(int error)
{
    return std::strerror(error != 0 ? error : EIO);
}

// The outputs asked for, in the order the closing line names them.
struct Outputs {
    OutputFile Png, Gif, Trace;

    void DiscardAll()
    {
        Png.Discard();
        Gif.Discard();
        Trace.Discard();
    }
    // Opens each named one; on failure discards those opened and says which.
    bool OpenAll(const RenderOptions& options, std::string& error)
    {
        const std::pair<OutputFile*, const std::string*> named[] = {
            {&Png, &options.PngPath}, {&Gif, &options.GifPath}, {&Trace, &options.TracePath}};
        for (const auto& output : named) {
            if (output.second->empty())
                continue;
            errno = 0;
            if (!output.first->Open(*output.second)) {
                error = "cannot write " + Quoted(*output.second) + ": " + Reason(errno);
                DiscardAll();
                return false;
            }
        }
        return true;
    }
};

std::string SizeText(const RenderOptions& options)
{
    return std::to_string(options.Width) + " x " + std::to_string(options.Height);
}

// "a", "a and b", "a, b and c".
std::string Listed(const std::vector<std::string>& names)
{
    std::string text;
    for (std::size_t i = 0; i < names.size(); i++)
        text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return text;
}

int Run(RenderOptions& options)
{
    RenderRequest request;
    request.Seed = options.HasSeed ? options.Seed : static_cast<std::uint32_t>(std::time(nullptr));
    request.Width = options.Width;
    request.Height = options.Height;
    request.Ticks = options.Ticks;

    // Memory first, then the files: a failure here leaves nothing behind.
    bool pictures = !options.PngPath.empty() || !options.GifPath.empty();
    std::unique_ptr<Bitmap> bitmap;
    try {
        bitmap = std::make_unique<Bitmap>(pictures ? static_cast<std::int32_t>(options.Width) : 0,
                                          pictures ? static_cast<std::int32_t>(options.Height) : 0);
    } catch (const std::bad_alloc&) {
        return Fail("out of memory for a " + SizeText(options) + " picture", FAILURE_STATUS);
    }
    Outputs out;
    std::string error;
    if (!out.OpenAll(options, error))
        return Fail(error, FAILURE_STATUS);

    try {
#ifdef ORBILUX_HAVE_GIF
        std::unique_ptr<GifWriter> gif;
        if (out.Gif.IsOpen()) {
            gif = std::make_unique<GifWriter>(out.Gif.Get(), *bitmap, options.GifEvery, options.Ticks);
            request.Observer = gif.get();
        }
#endif
        errno = 0;
        RunRender(request, options.Store, out.Trace.Get(), pictures ? bitmap.get() : nullptr);
#ifdef ORBILUX_HAVE_GIF
        if (gif && !gif->Finish(error)) {
            out.DiscardAll();
            return Fail("cannot write " + Quoted(options.GifPath) + ": " + error, FAILURE_STATUS);
        }
#endif
#ifdef ORBILUX_HAVE_PNG
        if (out.Png.IsOpen() && !WritePng(*bitmap, out.Png.Get())) {
            int reason = errno;
            bool stream = std::ferror(out.Png.Get()) != 0;
            out.DiscardAll();
            return Fail("cannot write " + Quoted(options.PngPath) + ": " +
                            (stream ? Reason(reason) : std::string("the PNG encoder failed")),
                        FAILURE_STATUS);
        }
#endif
    } catch (const std::bad_alloc&) {
        out.DiscardAll();
        return Fail("out of memory while rendering " + SizeText(options), FAILURE_STATUS);
    }

    std::vector<std::string> written;
    bool toStandardOutput = false;
    for (OutputFile* output : {&out.Png, &out.Gif, &out.Trace}) {
        if (!output->IsOpen())
            continue;
        toStandardOutput = toStandardOutput || output->IsStandardOutput();
        written.push_back(output->IsStandardOutput() ? "standard output" : Quoted(output->Path()));
        if (!output->Close()) {
            int reason = errno;
            out.DiscardAll();
            return Fail("cannot write " + written.back() + ": " + Reason(reason), FAILURE_STATUS);
        }
    }
    // Standard output carries a file: the closing line would spoil it.
    if (!toStandardOutput)
        std::printf("orbilux-render: wrote %s (%s after %u ticks, seed %u)\n", Listed(written).c_str(),
                    SizeText(options).c_str(), options.Ticks, request.Seed);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc <= 1) {
        std::fputs(RenderUsage().c_str(), stderr);
        return USAGE_STATUS;
    }
    RenderOptions options;
    std::string error;
    if (!ParseRenderOptions(argc, argv, options, error))
        return Fail(error + " (try --help)", USAGE_STATUS);
    if (options.Help) {
        std::fputs(RenderUsage().c_str(), stdout);
        return 0;
    }
#ifndef ORBILUX_HAVE_PNG
    if (!options.PngPath.empty())
        return Fail("--png: this build has no PNG output", USAGE_STATUS);
#endif
#ifndef ORBILUX_HAVE_GIF
    if (!options.GifPath.empty())
        return Fail("--gif: this build has no GIF output", USAGE_STATUS);
#endif
    return Run(options);
}
