// colours.h: the game's 0x00BBGGRR colour values as Qt colours.
#pragma once

#include <QColor>
#include <engine/palette.h>

namespace tintwise::ui {

// By the bytes, never through QRgb: QRgb is 0xAARRGGBB and would swap red and blue.
inline QColor toQColor(engine::ColourValue value)
{
    return QColor(engine::redOf(value), engine::greenOf(value), engine::blueOf(value));
}

} // namespace tintwise::ui
