// colours.h: the game's 0x00BBGGRR colour values as Qt colours.
#pragma once

#include <engine/palette.h>

#include <QColor>

namespace tintwise::ui {

// By the bytes, never through QRgb: QRgb is 0xAARRGGBB and would swap red and blue.
inline QColor toQColor(engine::ColourValue value)
{
    return QColor(engine::redOf(value), engine::greenOf(value), engine::blueOf(value));
}

} // namespace tintwise::ui
