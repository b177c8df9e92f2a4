// cursors.cpp: draws the disc cursors pixel by pixel from the row widths.
#include "cursors.h"

#include "colours.h"

#include <QGuiApplication>
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

QPixmap discPixmap(engine::ColourValue colour, qreal scale)
{
    assert(scale > 0);
    constexpr int kMiddle = kCursorSize / 2;
    const int centre = int(std::lround(kMiddle * scale));
    // A logical coordinate's device pixel, rounded away from the centre alike on both sides.
    const auto device = [&](int logical) {
        return centre + int(std::lround((logical - kMiddle) * scale));
    };
    QImage image(2 * centre, 2 * centre, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QRgb opaque = toQColor(colour).rgba();
    for (int y = 0; y < kCursorSize; ++y) {
        const int w = discHalfWidth(y);
        for (int row = device(y); w > 0 && row < device(y + 1); ++row) {
            for (int x = device(kMiddle - w); x < device(kMiddle + w); ++x) {
                image.setPixel(x, row, opaque);
            }
        }
    }
    return QPixmap::fromImage(image);
}

QCursor discCursor(engine::ColourIndex k, qreal devicePixelRatio)
{
    QPixmap pixmap = discPixmap(engine::QBColor(k), devicePixelRatio);
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        // X11 takes the image and the hot spot in device pixels, as they are.
        const int centre = pixmap.width() / 2;
        return QCursor(pixmap, centre, centre);
    }
    // Elsewhere Qt scales the image by its pixel ratio, and takes the hot spot in logical pixels.
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return QCursor(pixmap, kCursorHotSpot, kCursorHotSpot);
}

} // namespace tintwise::ui
