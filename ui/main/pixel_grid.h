// pixel_grid.h: painting on whole device pixels, so that edges stay sharp at fractional scales.
#pragma once

#include <QPainter>
#include <QRect>
#include <QTransform>
#include <algorithm>

namespace tintwise::ui {

// Switches painter, whose world transform must be the identity, to the device pixels it paints
// on, and gives rect's place there with each edge rounded to a whole pixel. At a ratio like 1.5
// a widget's edges fall between pixels, and a one-pixel line drawn there is smeared over two.
inline QRect toDevicePixels(QPainter& painter, const QRect& rect)
{
    const QTransform toDevice = painter.deviceTransform();
    const QPointF topLeft = toDevice.map(QPointF(rect.topLeft()));
    const QPointF bottomRight = toDevice.map(QPointF(rect.x() + rect.width(), rect.y() + rect.height()));
    painter.setWorldTransform(toDevice.inverted());
    return QRect(QPoint(qRound(topLeft.x()), qRound(topLeft.y())),
                 QPoint(qRound(bottomRight.x()) - 1, qRound(bottomRight.y()) - 1));
}

// A line of the given logical width in whole device pixels, never thinner than one.
inline int devicePixels(qreal logicalWidth, qreal devicePixelRatio)
{
    return std::max(1, qRound(logicalWidth * devicePixelRatio));
}

} // namespace tintwise::ui
