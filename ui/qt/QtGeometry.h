#pragma once

#include "app/Geometry.h"

#include <QPoint>
#include <QRect>
#include <QSize>

namespace hwd {

// The desktop layer's plain geometry and Qt's, one into the other. Both kinds of
// rectangle hold a corner and a size, so nothing is lost either way.

[[nodiscard]] inline QPoint toQPoint(Point point) noexcept
{
    return {point.x, point.y};
}

[[nodiscard]] inline QSize toQSize(Size size) noexcept
{
    return {size.width, size.height};
}

[[nodiscard]] inline QRect toQRect(const Rect& rect) noexcept
{
    return {rect.x, rect.y, rect.width, rect.height};
}

[[nodiscard]] inline Point fromQPoint(QPoint point) noexcept
{
    return {point.x(), point.y()};
}

[[nodiscard]] inline Size fromQSize(QSize size) noexcept
{
    return {size.width(), size.height()};
}

[[nodiscard]] inline Rect fromQRect(const QRect& rect) noexcept
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

} // namespace hwd
