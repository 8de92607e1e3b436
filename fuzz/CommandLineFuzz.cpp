// The command line's scan for any bytes: the text behind the program name
// stays inside the line, and the mode and window number come out whole.
#include <string>

#include "fuzz/FuzzInput.h"
#include "hostrules/CommandLineScan.h"

static const char* NextByte(const char* p)
{
    return *p != '\0' ? p + 1 : p;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string line(reinterpret_cast<const char*>(data), size);  // stops at a NUL, as the system's would
    const char* tail = TailAfterProgramName(line.c_str(), NextByte);
    FuzzCheck(tail >= line.c_str() && tail <= line.c_str() + std::char_traits<char>::length(line.c_str()),
              "the tail lies inside the line");
    ModeChoice choice = ScanMode(tail);
    FuzzCheck(!choice.DialogOwned || choice.Mode == SaverMode::ConfigDialog, "only the dialog has an owner");
    FuzzCheck(choice.Window == 0 || choice.Mode == SaverMode::Preview || choice.Mode == SaverMode::ChangePassword,
              "only a preview or a password change has a window");
    ParseWindowHandle(tail);
    return 0;
}
