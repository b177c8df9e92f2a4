// cursors.h: the disc cursors that show the picked colour under the mouse.
#pragma once

#include <QCursor>
#include <QPixmap>
#include <engine/palette.h>

namespace tintwise::ui {

// The disc (ui/layout's geometry) in the given colour, every other pixel transparent, drawn in
// the device pixels of a screen of pixel ratio scale, so it stays sharp and round at
// fractional ratios too.
QPixmap discPixmap(engine::ColourValue colour, qreal scale);

// The cursor of palette index k for a screen of the given device pixel ratio, its hot spot at
// the disc's centre: a platform takes one image per cursor, so the window asks again when it
// moves to another screen.
QCursor discCursor(engine::ColourIndex k, qreal devicePixelRatio);

} // namespace tintwise::ui
