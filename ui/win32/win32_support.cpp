// win32_support.cpp: text conversion, DPI scaling, fonts and placement.
#include "win32_support.h"

#include <cmath>

namespace tintwise::win32 {

namespace {

std::wstring widenFrom(UINT codePage, std::string_view text)
{
    if (text.empty()) {
        return {};
    }
    const int size = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) {
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                            size);
    }
    return wide;
}

bool isOutlineFont(HFONT font)
{
    const UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    SelectObject(dc.get(), font);
    TEXTMETRICW metrics{};
    return GetTextMetricsW(dc.get(), &metrics) &&
           (metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) != 0;
}

} // namespace

std::wstring widen(std::string_view utf8) { return widenFrom(CP_UTF8, utf8); }

std::wstring widenAnsi(std::string_view text) { return widenFrom(CP_ACP, text); }

std::wstring widenLatin1(std::string_view bytes)
{
    // Latin-1 is the first 256 code points of Unicode.
    std::wstring wide;
    wide.reserve(bytes.size());
    for (const char byte : bytes) {
        wide += static_cast<wchar_t>(static_cast<unsigned char>(byte));
    }
    return wide;
}

std::string narrow(std::wstring_view text)
{
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(),
                            size, nullptr, nullptr);
    }
    return utf8;
}

RECT deviceRect(const layout::TwipsRect& twips, UINT dpi)
{
    const int left = layout::pixels(twips.left);
    const int top = layout::pixels(twips.top);
    return {scaled(left, dpi), scaled(top, dpi), scaled(left + layout::pixels(twips.width), dpi),
            scaled(top + layout::pixels(twips.height), dpi)};
}

SIZE clientSize(const layout::WindowLayout& window, UINT dpi)
{
    return {scaled(layout::pixels(window.clientWidth), dpi),
            scaled(layout::pixels(window.clientHeight), dpi)};
}

UniqueFont createFont(const layout::Font& font, UINT dpi)
{
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(font.points * dpi / 72.0));
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = font.underline ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    // A bitmap face comes in a few sizes only, too small or blocky at a high DPI.
    lf.lfOutPrecision = OUT_OUTLINE_PRECIS;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lf.lfPitchAndFamily = VARIABLE_PITCH | (font.serif ? FF_ROMAN : FF_SWISS);
    const std::wstring family = widen(font.family);
    wcsncpy_s(lf.lfFaceName, family.c_str(), _TRUNCATE);
    UniqueFont created(CreateFontIndirectW(&lf));
    if (!isOutlineFont(created.get())) {
        // Some systems have the face only as a bitmap font: take the outline face made with its
        // widths, or else the mapper's choice of the same kind.
        wcsncpy_s(lf.lfFaceName, L"Microsoft Sans Serif", _TRUNCATE);
        created.reset(CreateFontIndirectW(&lf));
    }
    return created;
}

UniqueFont createDialogFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        return UniqueFont(nullptr);
    }
    return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

void drawFocusFrame(HDC dc, const RECT& rect, COLORREF colour, int thickness)
{
    LOGBRUSH brush{BS_SOLID, colour, 0};
    const UniquePen pen(ExtCreatePen(PS_GEOMETRIC | PS_DOT | PS_ENDCAP_FLAT | PS_JOIN_MITER,
                                     static_cast<DWORD>(thickness), &brush, 0, nullptr));
    const HGDIOBJ oldPen = SelectObject(dc, pen.get());
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    const int half = thickness / 2;
    // A pen of even thickness is centred between pixels: keep it inside all the same.
    Rectangle(dc, rect.left + half, rect.top + half, rect.right - (thickness - half) + 1,
              rect.bottom - (thickness - half) + 1);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

SIZE outerSize(HWND window, SIZE client, UINT dpi)
{
    RECT rect{0, 0, client.cx, client.cy};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    AdjustWindowRectExForDpi(&rect, style, GetMenu(window) != nullptr, exStyle, dpi);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void sizeAndCentre(HWND window, SIZE client)
{
    SIZE outer = outerSize(window, client, GetDpiForWindow(window));
    SetWindowPos(window, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A menu bar too long for the width wraps onto a second line: make up the difference.
    RECT actual{};
    GetClientRect(window, &actual);
    outer.cx += client.cx - actual.right;
    outer.cy += client.cy - actual.bottom;

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    SetWindowPos(window, nullptr, work.left + (work.right - work.left - outer.cx) / 2,
                 work.top + (work.bottom - work.top - outer.cy) / 2, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace tintwise::win32
