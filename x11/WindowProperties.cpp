#include "x11/WindowProperties.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstring>

#include "OrbiluxIcon.h"  // generated from the Windows saver's icon

namespace {

const char NAME[] = "Orbilux";

void SetUtf8(Display* display, Window window, const char* property, const char* text)
{
    XChangeProperty(display, window, XInternAtom(display, property, False), XInternAtom(display, "UTF8_STRING", False),
                    8, PropModeReplace, reinterpret_cast<const unsigned char*>(text),
                    static_cast<int>(std::strlen(text)));
}

void SetCardinals(Display* display, Window window, const char* property, const unsigned long* values, int count)
{
    // Format 32 takes longs, whatever their size.
    XChangeProperty(display, window, XInternAtom(display, property, False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values), count);
}

}  // namespace

void DescribeOwnWindow(Display* display, Window window, int argc, char** argv)
{
    // WM_NAME, WM_ICON_NAME, WM_CLASS, WM_COMMAND and WM_CLIENT_MACHINE in
    // one call, as ICCCM's clients do.
    XTextProperty name;
    char* text = const_cast<char*>(NAME);
    if (XStringListToTextProperty(&text, 1, &name)) {
        char resName[] = "orbilux", resClass[] = "Orbilux";
        XClassHint classHint = {resName, resClass};
        XSetWMProperties(display, window, &name, &name, argv, argc, nullptr, nullptr, &classHint);
        XFree(name.value);
    }
    SetUtf8(display, window, "_NET_WM_NAME", NAME);
    SetUtf8(display, window, "_NET_WM_ICON_NAME", NAME);
    unsigned long pid = static_cast<unsigned long>(getpid());
    SetCardinals(display, window, "_NET_WM_PID", &pid, 1);
    SetCardinals(display, window, "_NET_WM_ICON", ORBILUX_ICON,
                 static_cast<int>(sizeof ORBILUX_ICON / sizeof *ORBILUX_ICON));
}
