// colours.h: the game's 0x00BBGGRR colour values as Qt colours.
#pragma once

#include <QColor>
#include <cmath>
#include <engine/palette.h>

namespace tintwise::ui {

// By the bytes, never through QRgb: QRgb is 0xAARRGGBB and would swap red and blue.
inline QColor toQColor(engine::ColourValue value)
{
    return QColor(engine::redOf(value), engine::greenOf(value), engine::blueOf(value));
}

// Black or white, whichever contrasts more with face, for a focus mark drawn on it. Judged by
// relative luminance as WCAG measures contrast: a plain grey level picks white on Light Green,
// where the mark all but vanishes (1.4:1).
inline QColor focusMarkColour(const QColor& face)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double luminance =
        0.2126 * linear(face.red()) + 0.7152 * linear(face.green()) + 0.0722 * linear(face.blue());
    // White's contrast is 1.05 / (L + 0.05), black's (L + 0.05) / 0.05.
    return (luminance + 0.05) * (luminance + 0.05) < 1.05 * 0.05 ? QColor(Qt::white)
                                                                 : QColor(Qt::black);
}

} // namespace tintwise::ui
