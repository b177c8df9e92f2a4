// cursors.h: the disc cursors that show the picked colour under the mouse.
#pragma once

#include <QCursor>
#include <QPixmap>
#include <engine/palette.h>

namespace tintwise::ui {

inline constexpr int kCursorSize = 32;    // logical pixels
inline constexpr int kCursorHotSpot = 16; // the disc's centre, in logical pixels

// Half the width of the disc on image row y (0..31): the opaque columns are 16 - w .. 15 + w,
// and 0 means the row is empty.
int discHalfWidth(int y);

// The 32 x 32 disc in the given colour, every other pixel transparent, drawn in the device
// pixels of a screen of pixel ratio scale: 32 x scale pixels square (rounded), each edge on a
// whole pixel and placed symmetrically about the centre, so the disc stays sharp and round at
// fractional ratios too.
QPixmap discPixmap(engine::ColourValue colour, qreal scale);

// The cursor of palette index k for a screen of the given device pixel ratio, its hot spot at
// the disc's centre: a platform takes one image per cursor, so the window asks again when it
// moves to another screen.
QCursor discCursor(engine::ColourIndex k, qreal devicePixelRatio);

} // namespace tintwise::ui
