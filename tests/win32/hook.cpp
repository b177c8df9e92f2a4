// hook.cpp: a message hook the driver loads into the game's user-interface thread. Wine 8 lets no
// other process read a window's menus or a cursor's image, so this reads them from inside when
// a window of the thread is posted the message "TintwiseProbe", and writes the answer to
// probe.txt beside the game: for wParam 1 a line per menu entry, depth first, "depth id flags
// caption" (flags C: checked, S: separator; id 0 for an entry that opens a menu); for wParam 2
// the cursor, "handle width height hotX hotY", then each pixel as 0x00BBGGRR, or -1 if clear.
#include <algorithm>
#include <fstream>
#include <string>
#include <vector>
#include <windows.h>

namespace {

void describeMenu(HMENU menu, int depth, std::ostream& out)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char caption[256] = "";
        MENUITEMINFOA e{sizeof e, MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU};
        e.dwTypeData = caption;
        e.cch = sizeof caption;
        GetMenuItemInfoA(menu, UINT(i), TRUE, &e);
        const bool separator = e.fType & MFT_SEPARATOR;
        out << depth << ' ' << (e.hSubMenu || separator ? 0 : e.wID) << ' '
            << (e.fState & MFS_CHECKED ? 'C' : '-') << (separator ? 'S' : '-') << ' ' << caption
            << '\n';
        if (e.hSubMenu) {
            describeMenu(e.hSubMenu, depth + 1, out);
        }
    }
}

void describeCursor(std::ostream& out)
{
    const HCURSOR cursor = GetCursor();
    ICONINFO info{};
    BITMAP size{};
    if (!GetIconInfo(cursor, &info) || !GetObjectW(info.hbmColor, sizeof size, &size)) {
        return;
    }
    const int w = size.bmWidth, h = size.bmHeight;
    BITMAPINFO format{{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB}};
    std::vector<DWORD> colour(std::size_t(w * h)), mask(colour.size());
    const HDC screen = GetDC(nullptr);
    GetDIBits(screen, info.hbmColor, 0, UINT(h), colour.data(), &format, DIB_RGB_COLORS);
    GetDIBits(screen, info.hbmMask, 0, UINT(h), mask.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    out << UINT_PTR(cursor) << ' ' << w << ' ' << h << ' ' << info.xHotspot << ' ' << info.yHotspot;
    // Without any alpha, the mask alone tells what is clear.
    const bool alpha = std::any_of(colour.begin(), colour.end(), [](DWORD c) { return c >> 24; });
    for (std::size_t i = 0; i < colour.size(); ++i) {
        const DWORD c = colour[i];
        const bool clear = (mask[i] & 0xFFFFFF) || (alpha && !(c >> 24));
        out << ' ' << (clear ? -1 : long(RGB(c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF)));
    }
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK probeHook(int code, WPARAM removed, LPARAM msg)
{
    static const UINT probe = RegisterWindowMessageW(L"TintwiseProbe");
    auto* message = reinterpret_cast<MSG*>(msg);
    if (code == HC_ACTION && removed == PM_REMOVE && message->message == probe) {
        char exe[MAX_PATH];
        GetModuleFileNameA(nullptr, exe, MAX_PATH);
        const std::string folder(exe, std::string_view(exe).rfind('\\') + 1);
        {
            std::ofstream out(folder + "probe.part", std::ios::binary);
            message->wParam == 1 ? describeMenu(GetMenu(message->hwnd), 0, out)
                                 : describeCursor(out);
        }
        // Whole or not at all: the driver takes probe.txt as soon as it is there.
        MoveFileExA((folder + "probe.part").c_str(), (folder + "probe.txt").c_str(),
                    MOVEFILE_REPLACE_EXISTING);
        message->message = WM_NULL; // the game never sees the question
    }
    return CallNextHookEx(nullptr, code, removed, msg);
}
