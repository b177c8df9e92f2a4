// layout_qt.h: the window table's texts, rectangles and sizes in Qt's terms, for every window.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <string_view>
#include <ui/layout/controls.h>

namespace tintwise::ui {

inline QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Positions and sizes are kept in twips, as the windows were designed, and turned into logical
// pixels; Qt's own scaling then fits them to the screen.
inline QRect pixelRect(const layout::TwipsRect& twips)
{
    return {layout::pixels(twips.left), layout::pixels(twips.top), layout::pixels(twips.width),
            layout::pixels(twips.height)};
}

// A window's fixed client size, from its twips.
inline QSize clientSize(const layout::WindowLayout& window)
{
    return {layout::pixels(window.clientWidth), layout::pixels(window.clientHeight)};
}

} // namespace tintwise::ui
