// cursors.cpp: draws the disc cursors pixel by pixel from the shared disc geometry.
#include "cursors.h"

#include "colours.h"

#include <QGuiApplication>
#include <QImage>
#include <ui/layout/main_window.h>

namespace tintwise::ui {

QPixmap discPixmap(engine::ColourValue colour, qreal scale)
{
    const int side = layout::discImageSide(scale);
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QRgb opaque = toQColor(colour).rgba();
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            if (layout::discCovers(x, y, scale)) {
                image.setPixel(x, y, opaque);
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
    return QCursor(pixmap, layout::kCursorHotSpot, layout::kCursorHotSpot);
}

} // namespace tintwise::ui
