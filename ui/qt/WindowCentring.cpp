#include "WindowCentring.h"

#include "QtGeometry.h"
#include "app/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <optional>

namespace hwd {

namespace WindowCentring {

void centre(QWidget& window, const QWidget* owner)
{
    const bool overOwner = owner != nullptr && owner->isVisible() && !owner->isMinimized();
    const QScreen* screen = overOwner ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    std::optional<Rect> ownerFrame;
    if (overOwner)
        ownerFrame = fromQRect(owner->frameGeometry());
    const Point topLeft = WindowPlacement::place(fromQSize(window.frameGeometry().size()), ownerFrame,
                                                 fromQRect(screen->availableGeometry()));
    window.move(toQPoint(topLeft));
}

} // namespace WindowCentring

} // namespace hwd
