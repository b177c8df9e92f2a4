// artwork.h: the logos from the program's resources, and the fifteen disc cursors.
#pragma once

#include "win32_support.h"

#include <engine/palette.h>
#include <string_view>

namespace tintwise::win32 {

// The logo of that name ("maker", "product") at its logical size scaled to dpi, laid over the
// background colour, or null when it cannot be read. Above 96 DPI it is made from its twice
// as large twin, so that it stays sharp.
UniqueBitmap loadLogo(HINSTANCE instance, std::string_view name, UINT dpi, COLORREF background);

// imlCursors: the palette's fifteen discs, one image each, sized for a DPI.
class DiscCursors
{
public:
    // Fills the image list with the discs, each 32 logical pixels square at dpi.
    void build(UINT dpi);

    // The cursor of palette index k (0..14), its hot spot at the disc's centre.
    UniqueCursor cursor(engine::ColourIndex k) const;

private:
    UniqueImageList m_images;
    int m_side = 0;
};

} // namespace tintwise::win32
