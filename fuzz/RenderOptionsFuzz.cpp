// The renderer's option parsing for any argument vector: the input split at
// NUL bytes gives argv[1..].
#include <string>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "render/RenderOptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> args{"orbilux-render"};
    if (size > 0)
        args.emplace_back();
    for (std::size_t i = 0; i < size; i++) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    }
    std::vector<const char*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());

    RenderOptions options;
    std::string error;
    if (ParseRenderOptions(static_cast<int>(argv.size()), argv.data(), options, error)) {
        FuzzCheck(options.Width >= 1 && options.Width <= MAX_RENDER_SIZE, "width in range");
        FuzzCheck(options.Height >= 1 && options.Height <= MAX_RENDER_SIZE, "height in range");
        FuzzCheck(options.Ticks <= MAX_RENDER_TICKS, "ticks in range");
    } else {
        FuzzCheck(!error.empty(), "a failure has a message");
    }
    return 0;
}
