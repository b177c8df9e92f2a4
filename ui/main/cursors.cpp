// cursors.cpp: draws the disc cursors pixel by pixel from the row widths.
#include "cursors.h"

#include "colours.h"

#include <QImage>
#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>

namespace tintwise::ui {

namespace {

// Rows 0..15 of the disc; the lower half mirrors them.
constexpr std::array<int, kCursorSize / 2> kUpperHalfWidths = {0,  0,  0,  1,  5,  7,  8,  9,
                                                               10, 11, 11, 12, 12, 12, 12, 13};

} // namespace

int discHalfWidth(int y)
{
    assert(y >= 0 && y < kCursorSize);
    const int upper = y < kCursorSize / 2 ? y : kCursorSize - 1 - y;
    return kUpperHalfWidths[static_cast<std::size_t>(upper)];
}

QPixmap discPixmap(engine::ColourValue colour, int scale)
{
    assert(scale >= 1);
    QImage image(kCursorSize * scale, kCursorSize * scale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QRgb opaque = toQColor(colour).rgba();
    for (int y = 0; y < kCursorSize; ++y) {
        const int w = discHalfWidth(y);
        for (int x = kCursorSize / 2 - w; x < kCursorSize / 2 + w; ++x) {
            for (int dy = 0; dy < scale; ++dy) {
                for (int dx = 0; dx < scale; ++dx) {
                    image.setPixel(x * scale + dx, y * scale + dy, opaque);
                }
            }
        }
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}

QCursor discCursor(engine::ColourIndex k, qreal devicePixelRatio)
{
    // Whole device pixels per image pixel keep the edge crisp; a fractional ratio rounds up
    // and lets the platform scale down, which blurs less than scaling up.
    const int scale = std::max(1, static_cast<int>(std::ceil(devicePixelRatio - 0.01)));
    return QCursor(discPixmap(engine::QBColor(k), scale), kCursorHotSpot, kCursorHotSpot);
}

} // namespace tintwise::ui
