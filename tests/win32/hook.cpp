// hook.cpp: a message hook the driver loads into the game's user-interface thread. Wine 8 lets no
// other process read a window's menus or a cursor's image, so this reads them from inside when
// a window of the thread is posted the message "TintwiseProbe", and writes the answer to
// C:\tintwise-probe.txt: for wParam 1 each menu entry's caption, depth first, a line each, with
// " (checked)" after a checked one; for wParam 2 the cursor, "handle width height hotX hotY",
// its pixels row by row (# opaque, . clear), and each colour of the opaque ones as 0x00BBGGRR.
#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <vector>
#include <windows.h>

namespace {

void describeMenu(HMENU menu, std::ostream& out)
{
    for (UINT i = 0; i < UINT(GetMenuItemCount(menu)); ++i) {
        char caption[256] = "";
        GetMenuStringA(menu, i, caption, sizeof caption, MF_BYPOSITION);
        const bool checked = GetMenuState(menu, i, MF_BYPOSITION) & MF_CHECKED;
        out << caption << (checked ? " (checked)\n" : "\n");
        if (const HMENU submenu = GetSubMenu(menu, int(i))) {
            describeMenu(submenu, out);
        }
    }
}

void describeCursor(std::ostream& out)
{
    const HCURSOR cursor = GetCursor();
    ICONINFO info{};
    BITMAP size{};
    GetIconInfo(cursor, &info);
    GetObjectW(info.hbmColor, sizeof size, &size);
    const int w = size.bmWidth, h = size.bmHeight;
    BITMAPINFO format{{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB}};
    std::vector<DWORD> colour(std::size_t(w * h)), mask(colour.size());
    const HDC screen = GetDC(nullptr);
    GetDIBits(screen, info.hbmColor, 0, UINT(h), colour.data(), &format, DIB_RGB_COLORS);
    GetDIBits(screen, info.hbmMask, 0, UINT(h), mask.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    out << UINT_PTR(cursor) << ' ' << w << ' ' << h << ' ' << info.xHotspot << ' ' << info.yHotspot
        << ' ';
    // Without any alpha, the mask alone tells what is clear.
    const bool alpha = std::any_of(colour.begin(), colour.end(), [](DWORD c) { return c >> 24; });
    std::set<long> colours;
    for (std::size_t i = 0; i < colour.size(); ++i) {
        const DWORD c = colour[i];
        const bool clear = (mask[i] & 0xFFFFFF) || (alpha && !(c >> 24));
        out << (clear ? '.' : '#');
        if (!clear) {
            colours.insert(long(RGB(c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF)));
        }
    }
    for (const long c : colours) {
        out << ' ' << c;
    }
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK probeHook(int code, WPARAM removed, LPARAM msg)
{
    static const UINT probe = RegisterWindowMessageW(L"TintwiseProbe");
    auto* message = reinterpret_cast<MSG*>(msg);
    if (code == HC_ACTION && removed == PM_REMOVE && message->message == probe) {
        {
            std::ofstream out("C:\\tintwise-probe.part", std::ios::binary);
            message->wParam == 1 ? describeMenu(GetMenu(message->hwnd), out) : describeCursor(out);
        }
        // Whole or not at all: the driver takes the answer as soon as it is there.
        MoveFileExA("C:\\tintwise-probe.part", "C:\\tintwise-probe.txt", MOVEFILE_REPLACE_EXISTING);
        message->message = WM_NULL; // the game never sees the question
    }
    return CallNextHookEx(nullptr, code, removed, msg);
}
