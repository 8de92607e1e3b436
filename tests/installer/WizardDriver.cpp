// Goes through the installer's wizard as a user would: waits for its window,
// checks the title on every page, clicks through to the last page, ticks the
// box named BOX there and clicks Finish. Fails on a licence page.
// Usage: wizard_driver TITLE BOX   (exit 0: Finish clicked; 1: with the reason)
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const int NEXT_BUTTON = 1;  // the wizard's Next, Install and Finish button

std::string Text(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

struct Search {
    const char* Text;
    HWND Found;
};

BOOL CALLBACK FindChild(HWND child, LPARAM data)
{
    Search* search = reinterpret_cast<Search*>(data);
    if (IsWindowVisible(child) && Text(child) == search->Text) {
        search->Found = child;
        return FALSE;
    }
    return TRUE;
}

// A visible control of `wizard` (at any depth) with this text, or null.
HWND Control(HWND wizard, const char* text)
{
    Search search{text, nullptr};
    EnumChildWindows(wizard, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// Polls every 50 ms until `found` gives a window; false after about a minute
// (a wizard that never gets there).
template <typename Find> bool WaitFor(Find found, HWND& window)
{
    for (int i = 0; i < 1200; i++, Sleep(50))
        if ((window = found()) != nullptr)
            return true;
    return false;
}

// The window's title once it is `title`, or as it stands after a minute: a
// page may be titled while it is being made.
std::string Titled(HWND window, const char* title)
{
    HWND done = nullptr;
    WaitFor([&] { return Text(window) == title ? window : nullptr; }, done);
    return Text(window);
}

int Fail(const std::string& why)
{
    std::printf("wizard_driver: %s\n", why.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return Fail("usage: wizard_driver TITLE BOX");
    const char* title = argv[1];
    HWND wizard = nullptr, box = nullptr, next = nullptr;
    if (!WaitFor([&] { return FindWindowA("#32770", title); }, wizard))
        return Fail(std::string("no window titled '") + title + "'");
    // Each page until the one with the box: its button goes on.
    for (int page = 1; !(box = Control(wizard, argv[2])); page++) {
        if (page > 5)
            return Fail("no page with the box after 5 pages");
        if (!WaitFor([&] { return IsWindowEnabled(GetDlgItem(wizard, NEXT_BUTTON)) ? wizard : nullptr; }, next))
            return Fail("page " + std::to_string(page) + ": the button stays disabled");
        std::string button = Text(GetDlgItem(wizard, NEXT_BUTTON)), caption = Titled(wizard, title);
        std::printf("page %d: '%s', button '%s'\n", page, caption.c_str(), button.c_str());
        if (caption != title)
            return Fail("page " + std::to_string(page) + " is titled '" + caption + "'");
        if (button.find("Agree") != std::string::npos || Control(wizard, "License Agreement"))
            return Fail("page " + std::to_string(page) + " asks to accept a licence");
        // The last page's button is named before its controls are made.
        if (button == "&Finish" && !WaitFor([&] { return Control(wizard, argv[2]); }, box))
            return Fail("the last page has no box '" + std::string(argv[2]) + "'");
        if (box)
            break;
        SendMessageA(GetDlgItem(wizard, NEXT_BUTTON), BM_CLICK, 0, 0);
        // The next page: its button's text or the box.
        WaitFor(
            [&] {
                return Text(GetDlgItem(wizard, NEXT_BUTTON)) != button || Control(wizard, argv[2]) ? wizard : nullptr;
            },
            next);
    }
    std::string caption = Titled(wizard, title);
    if (caption != title)
        return Fail("the last page is titled '" + caption + "'");
    // Ticked by default; the driver ticks it whatever it finds.
    bool ticked = SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    std::printf("last page: '%s', the box %s\n", caption.c_str(), ticked ? "ticked" : "not ticked: ticking it");
    if (!ticked)
        SendMessageA(box, BM_CLICK, 0, 0);
    if (SendMessageA(box, BM_GETCHECK, 0, 0) != BST_CHECKED)
        return Fail("the box does not tick");
    if (Text(GetDlgItem(wizard, NEXT_BUTTON)) != "&Finish")
        return Fail("the last page's button is '" + Text(GetDlgItem(wizard, NEXT_BUTTON)) + "'");
    // Posted: the wizard closes while handling it.
    PostMessageA(GetDlgItem(wizard, NEXT_BUTTON), BM_CLICK, 0, 0);
    return 0;
}
