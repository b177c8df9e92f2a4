// artwork.cpp: the logos drawn from the pixels the build decoded, and the disc cursors drawn
// pixel by pixel into a common-controls image list.
#include "artwork.h"

#include <algorithm>
#include <cassert>
#include <cwctype>
#include <span>
#include <ui/layout/main_window.h>

namespace tintwise::win32 {

namespace {

// A 32-bit top-down DIB section and its pixels, 0xAARRGGBB each.
UniqueBitmap createPixels(int width, int height, std::uint32_t*& pixels)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    pixels = static_cast<std::uint32_t*>(bits);
    return bitmap;
}

// The bytes of a logo's resource ("LOGO_PRODUCT", "LOGO_PRODUCT_2X"), empty when it is missing.
std::span<const BYTE> logoResource(HINSTANCE instance, std::wstring_view logo, bool twice)
{
    std::wstring name = L"LOGO_" + std::wstring(logo) + (twice ? L"_2X" : L"");
    for (wchar_t& c : name) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    const HRSRC found = FindResourceW(instance, name.c_str(), MAKEINTRESOURCEW(10)); // RT_RCDATA
    const HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
    if (loaded == nullptr) {
        return {};
    }
    return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(instance, found)};
}

std::uint32_t little32(std::span<const BYTE> bytes, std::size_t at)
{
    return std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 |
           std::uint32_t(bytes[at + 2]) << 16 | std::uint32_t(bytes[at + 3]) << 24;
}

// The logo's size in pixels, as its resource begins.
bool logoSize(std::span<const BYTE> logo, int& width, int& height)
{
    if (logo.size() < 8) {
        return false;
    }
    width = int(little32(logo, 0));
    height = int(little32(logo, 4));
    return width > 0 && height > 0 && width <= 4096 && height <= 4096;
}

// The logo laid over the background, in a bitmap of its own size: its runs of one colour (see
// make-artwork.py) blended into the background by their alpha. Null when the runs do not fill it.
UniqueBitmap drawLogo(std::span<const BYTE> logo, COLORREF background)
{
    int width = 0;
    int height = 0;
    std::uint32_t* pixels = nullptr;
    UniqueBitmap bitmap = logoSize(logo, width, height) ? createPixels(width, height, pixels)
                                                        : UniqueBitmap(nullptr);
    if (!bitmap) {
        return bitmap;
    }
    const std::uint32_t back[3] = {GetBValue(background), GetGValue(background),
                                   GetRValue(background)};
    const std::size_t count = std::size_t(width) * std::size_t(height);
    std::size_t at = 8;
    for (std::size_t done = 0; done < count;) {
        if (at + 5 > logo.size()) {
            return UniqueBitmap(nullptr);
        }
        const std::size_t run = std::min<std::size_t>(logo[at] + 1u, count - done);
        const std::uint32_t alpha = logo[at + 4];
        std::uint32_t pixel = 0;
        for (int channel = 0; channel < 3; ++channel) {
            const std::uint32_t value =
                (logo[at + 1 + channel] * alpha + back[channel] * (255 - alpha) + 127) / 255;
            pixel |= value << (8 * channel);
        }
        std::fill_n(pixels + done, run, pixel);
        done += run;
        at += 5;
    }
    return bitmap;
}

// The bitmap scaled to width x height, each pixel the average of what it covers.
UniqueBitmap scaledTo(const UniqueBitmap& source, int width, int height)
{
    BITMAP from{};
    std::uint32_t* pixels = nullptr;
    UniqueBitmap target = createPixels(width, height, pixels);
    const UniqueMemoryDC in(CreateCompatibleDC(nullptr));
    const UniqueMemoryDC out(CreateCompatibleDC(nullptr));
    if (!target || !in || !out || GetObjectW(source.get(), sizeof from, &from) == 0) {
        return UniqueBitmap(nullptr);
    }
    const HGDIOBJ oldIn = SelectObject(in.get(), source.get());
    const HGDIOBJ oldOut = SelectObject(out.get(), target.get());
    SetStretchBltMode(out.get(), HALFTONE);
    SetBrushOrgEx(out.get(), 0, 0, nullptr);
    StretchBlt(out.get(), 0, 0, width, height, in.get(), 0, 0, from.bmWidth, from.bmHeight,
               SRCCOPY);
    SelectObject(in.get(), oldIn);
    SelectObject(out.get(), oldOut);
    return target;
}

} // namespace

UniqueBitmap loadLogo(HINSTANCE instance, std::string_view name, UINT dpi, COLORREF background)
{
    const std::wstring logo = widen(name);
    const auto plain = logoResource(instance, logo, false);
    int width = 0;
    int height = 0;
    if (!logoSize(plain, width, height)) {
        return UniqueBitmap(nullptr);
    }
    auto source = dpi > 96 ? logoResource(instance, logo, true) : plain;
    UniqueBitmap drawn = drawLogo(source, background);
    if (!drawn && source.data() != plain.data()) {
        drawn = drawLogo(plain, background);
    }
    width = scaled(width, dpi);
    height = scaled(height, dpi);
    BITMAP size{};
    if (!drawn || (GetObjectW(drawn.get(), sizeof size, &size) != 0 && size.bmWidth == width &&
                   size.bmHeight == height)) {
        return drawn;
    }
    return scaledTo(drawn, width, height);
}

void DiscCursors::build(UINT dpi)
{
    const double scale = dpi / 96.0;
    m_side = layout::discImageSide(scale);
    m_images.reset(ImageList_Create(m_side, m_side, ILC_COLOR32, engine::kPaletteButtonCount, 0));
    for (int k = 0; m_images && k < engine::kPaletteButtonCount; ++k) {
        std::uint32_t* pixels = nullptr;
        const UniqueBitmap image = createPixels(m_side, m_side, pixels);
        // The list is indexed by colour: with one image missing, every later colour would
        // take its neighbour's disc. None at all leaves the arrow.
        if (!image) {
            m_images.reset();
            break;
        }
        const COLORREF colour = colorRef(engine::QBColor(k));
        const std::uint32_t opaque = 0xFF000000u | std::uint32_t(GetRValue(colour)) << 16 |
                                     std::uint32_t(GetGValue(colour)) << 8 | GetBValue(colour);
        for (int y = 0; y < m_side; ++y) {
            for (int x = 0; x < m_side; ++x) {
                pixels[y * m_side + x] = layout::discCovers(x, y, scale) ? opaque : 0;
            }
        }
        if (ImageList_Add(m_images.get(), image.get(), nullptr) != k) {
            m_images.reset();
        }
    }
}

UniqueCursor DiscCursors::cursor(engine::ColourIndex k) const
{
    assert(k >= 0 && k < engine::kPaletteButtonCount);
    const UniqueIcon icon(ImageList_GetIcon(m_images.get(), k, ILD_NORMAL));
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon.get(), &info)) {
        return UniqueCursor(nullptr);
    }
    const UniqueBitmap colour(info.hbmColor);
    const UniqueBitmap mask(info.hbmMask);
    info.fIcon = FALSE;
    info.xHotspot = static_cast<DWORD>(m_side / 2);
    info.yHotspot = static_cast<DWORD>(m_side / 2);
    return UniqueCursor(CreateIconIndirect(&info));
}

} // namespace tintwise::win32
