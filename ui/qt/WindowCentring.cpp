#include "WindowCentring.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace WindowCentring {

QPoint centredOn(const QRect& area, QSize size) noexcept
{
    // The area's midpoint less half the window's size, each truncated on its own,
    // so that every dialog lands on the same pixel for the same owner.
    return {(area.x() + area.x() + area.width()) / 2 - size.width() / 2,
            (area.y() + area.y() + area.height()) / 2 - size.height() / 2};
}

QPoint keptInside(QPoint topLeft, QSize size, const QRect& area) noexcept
{
    int x = topLeft.x();
    int y = topLeft.y();
    if (x + size.width() > area.x() + area.width())
        x = area.x() + area.width() - size.width();
    if (y + size.height() > area.y() + area.height())
        y = area.y() + area.height() - size.height();
    if (x < area.x())
        x = area.x();
    if (y < area.y())
        y = area.y();
    return {x, y};
}

void centre(QWidget& window, const QWidget* owner)
{
    const bool overOwner = owner != nullptr && owner->isVisible() && !owner->isMinimized();
    const QScreen* screen = overOwner ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect workArea = screen->availableGeometry();
    const QSize size = window.frameGeometry().size();
    const QPoint centred = centredOn(overOwner ? owner->frameGeometry() : workArea, size);
    window.move(keptInside(centred, size, workArea));
}

} // namespace WindowCentring
