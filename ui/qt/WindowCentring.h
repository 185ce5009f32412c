#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// How the dialogs place themselves when they open: centred over their owner, or
// on the work area (the screen less its panels) when there is no owner to see,
// then moved back inside the work area wherever they would stick out. Only the
// position changes.
namespace WindowCentring {

// The top-left corner that centres a window of this size on area.
[[nodiscard]] QPoint centredOn(const QRect& area, QSize size) noexcept;

// The nearest top-left corner that keeps the window inside area; where it cannot
// fit, the left and top edges win over the right and bottom ones.
[[nodiscard]] QPoint keptInside(QPoint topLeft, QSize size, const QRect& area) noexcept;

// Centres window over owner when owner is visible and not minimised, else on the
// primary screen's work area, and keeps it inside the work area.
void centre(QWidget& window, const QWidget* owner);

} // namespace WindowCentring
