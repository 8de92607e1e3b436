#include "hostrules/CommandLineScan.h"

namespace {

unsigned char Byte(const char* p)
{
    return static_cast<unsigned char>(*p);
}

// Spaces after the letter, then the window number.
std::uint32_t WindowAfter(const char* afterLetter)
{
    while (*afterLetter == ' ')
        afterLetter++;
    return ParseWindowHandle(afterLetter);
}

}  // namespace

const char* TailAfterProgramName(const char* commandLine, CharStep next)
{
    const char* p = commandLine;
    if (*p == '"') {
        p = next(p);
        while (*p != '\0' && *p != '"')
            p = next(p);
        if (*p == '"')
            p = next(p);
    } else if (Byte(p) > ' ') {
        while (Byte(p) > ' ')
            p = next(p);
    }
    while (*p != '\0' && Byte(p) <= ' ')
        p = next(p);
    return p;
}

ModeChoice ScanMode(const char* tail)
{
    for (const char* p = tail;; p++) {
        switch (Byte(p)) {
        case ' ':
        case '-':
        case '/': continue;
        case '\0': return {SaverMode::ConfigDialog, false, 0};
        case 'c':
        case 'C': return {SaverMode::ConfigDialog, true, 0};
        case 's':
        case 'S': return {SaverMode::FullScreen, false, 0};
        case 'p':
        case 'P':
        case 'l':
        case 'L': return {SaverMode::Preview, false, WindowAfter(p + 1)};
        case 'a':
        case 'A': return {SaverMode::ChangePassword, false, WindowAfter(p + 1)};
        default: return {SaverMode::None, false, 0};
        }
    }
}

std::uint32_t ParseWindowHandle(const char* text)
{
    std::uint32_t value = 0;
    for (const char* p = text; *p >= '0' && *p <= '9'; p++)
        value = value * 10u + static_cast<std::uint32_t>(*p - '0');
    return value;
}
