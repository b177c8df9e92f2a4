// artwork.cpp: PNG logos decoded by the Windows Imaging Component, and the disc cursors drawn
// pixel by pixel into a common-controls image list.
#include "artwork.h"

#include <cassert>
#include <cwctype>
#include <span>
#include <ui/layout/main_window.h>
#include <wincodec.h>

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

// The bytes of a PNG resource ("LOGO_PRODUCT", "LOGO_PRODUCT_2X"), empty when it is missing.
std::span<const BYTE> pngResource(HINSTANCE instance, std::wstring name)
{
    const HRSRC found = FindResourceW(instance, name.c_str(), MAKEINTRESOURCEW(10)); // RT_RCDATA
    const HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
    if (loaded == nullptr) {
        return {};
    }
    return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(instance, found)};
}

std::wstring resourceName(std::string_view logo, bool twice)
{
    std::wstring name = L"LOGO_" + widen(logo) + (twice ? L"_2X" : L"");
    for (wchar_t& c : name) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    return name;
}

template <typename T> ComPtr<T> adopt(T* object) { return ComPtr<T>(object); }

// Decodes a PNG and scales it to width x height as premultiplied BGRA.
bool decode(std::span<const BYTE> png, UINT width, UINT height, std::uint32_t* pixels)
{
    IWICImagingFactory* rawFactory = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&rawFactory)))) {
        return false;
    }
    const auto factory = adopt(rawFactory);
    IWICStream* rawStream = nullptr;
    IWICBitmapDecoder* rawDecoder = nullptr;
    IWICBitmapFrameDecode* rawFrame = nullptr;
    IWICBitmapScaler* rawScaler = nullptr;
    IWICFormatConverter* rawConverter = nullptr;
    if (FAILED(factory->CreateStream(&rawStream))) {
        return false;
    }
    const auto stream = adopt(rawStream);
    if (FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(png.data()),
                                            static_cast<DWORD>(png.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, &rawDecoder))) {
        return false;
    }
    const auto decoder = adopt(rawDecoder);
    if (FAILED(decoder->GetFrame(0, &rawFrame)) || FAILED(factory->CreateBitmapScaler(&rawScaler))) {
        return false;
    }
    const auto frame = adopt(rawFrame);
    const auto scaler = adopt(rawScaler);
    if (FAILED(scaler->Initialize(frame.get(), width, height, WICBitmapInterpolationModeFant)) ||
        FAILED(factory->CreateFormatConverter(&rawConverter))) {
        return false;
    }
    const auto converter = adopt(rawConverter);
    return SUCCEEDED(converter->Initialize(scaler.get(), GUID_WICPixelFormat32bppPBGRA,
                                           WICBitmapDitherTypeNone, nullptr, 0,
                                           WICBitmapPaletteTypeCustom)) &&
           SUCCEEDED(converter->CopyPixels(nullptr, width * 4, width * height * 4,
                                           reinterpret_cast<BYTE*>(pixels)));
}

// Its logical size: the pixel size of the plain PNG, read from its header.
bool pngSize(std::span<const BYTE> png, int& width, int& height)
{
    if (png.size() < 24) {
        return false;
    }
    const auto be32 = [&](std::size_t at) {
        return int(png[at]) << 24 | int(png[at + 1]) << 16 | int(png[at + 2]) << 8 | int(png[at + 3]);
    };
    width = be32(16);
    height = be32(20);
    return width > 0 && height > 0;
}

} // namespace

UniqueBitmap loadLogo(HINSTANCE instance, std::string_view name, UINT dpi, COLORREF background)
{
    const auto plain = pngResource(instance, resourceName(name, false));
    int width = 0;
    int height = 0;
    if (!pngSize(plain, width, height)) {
        return UniqueBitmap(nullptr);
    }
    auto source = dpi > 96 ? pngResource(instance, resourceName(name, true)) : plain;
    if (source.empty()) {
        source = plain;
    }
    width = scaled(width, dpi);
    height = scaled(height, dpi);
    std::uint32_t* pixels = nullptr;
    UniqueBitmap bitmap = createPixels(width, height, pixels);
    if (!bitmap || !decode(source, UINT(width), UINT(height), pixels)) {
        return UniqueBitmap(nullptr);
    }
    // Premultiplied, so each channel is the image's plus what shows through of the background.
    const std::uint32_t r = GetRValue(background), g = GetGValue(background), b = GetBValue(background);
    for (int i = 0; i < width * height; ++i) {
        const std::uint32_t p = pixels[i];
        const std::uint32_t through = 255 - (p >> 24);
        pixels[i] = (((p >> 16) & 0xFF) + r * through / 255) << 16 |
                    (((p >> 8) & 0xFF) + g * through / 255) << 8 | ((p & 0xFF) + b * through / 255);
    }
    return bitmap;
}

void DiscCursors::build(UINT dpi)
{
    const double scale = dpi / 96.0;
    m_side = layout::discImageSide(scale);
    m_images.reset(ImageList_Create(m_side, m_side, ILC_COLOR32, engine::kPaletteButtonCount, 0));
    for (int k = 0; k < engine::kPaletteButtonCount; ++k) {
        std::uint32_t* pixels = nullptr;
        const UniqueBitmap image = createPixels(m_side, m_side, pixels);
        if (!image) {
            continue;
        }
        const COLORREF colour = colorRef(engine::QBColor(k));
        const std::uint32_t opaque = 0xFF000000u | std::uint32_t(GetRValue(colour)) << 16 |
                                     std::uint32_t(GetGValue(colour)) << 8 | GetBValue(colour);
        for (int y = 0; y < m_side; ++y) {
            for (int x = 0; x < m_side; ++x) {
                pixels[y * m_side + x] = layout::discCovers(x, y, scale) ? opaque : 0;
            }
        }
        ImageList_Add(m_images.get(), image.get(), nullptr);
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
