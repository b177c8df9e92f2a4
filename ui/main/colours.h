// colours.h: the game's 0x00BBGGRR colour values as Qt colours.
#pragma once

#include <QColor>
#include <engine/palette.h>
#include <ui/layout/controls.h>

namespace tintwise::ui {

// By the bytes, never through QRgb: QRgb is 0xAARRGGBB and would swap red and blue.
inline QColor toQColor(engine::ColourValue value)
{
    return QColor(engine::redOf(value), engine::greenOf(value), engine::blueOf(value));
}

// Black or white, whichever contrasts more with face, for a focus mark drawn on it; the rule is
// shared with the Windows front end.
inline QColor focusMarkColour(const QColor& face)
{
    const auto value = static_cast<engine::ColourValue>(face.red() | face.green() << 8 |
                                                        face.blue() << 16);
    return toQColor(layout::focusMarkColour(value));
}

} // namespace tintwise::ui
