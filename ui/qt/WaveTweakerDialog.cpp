#include "WaveTweakerDialog.h"

#include "WaveView.h"
#include "app/DialogController.h"
#include "app/DialogTemplates.h"
#include "app/ResourceIds.h"

#include <QContextMenuEvent>
#include <QMouseEvent>

#include <cmath>

namespace hwd {

namespace {

// A mouse position as the whole pixel it falls in.
QPoint pixelOf(const QMouseEvent& event)
{
    const QPointF position = event.position();
    return {static_cast<int>(std::floor(position.x())), static_cast<int>(std::floor(position.y()))};
}

} // namespace

WaveTweakerDialog::WaveTweakerDialog(DialogController& controller, Waveshape& wave, QWidget* owner)
    : DialogWindow(controller, waveTweakerTemplate(), owner, &wave)
{
    view_ = TemplateWindow::child<WaveView>(*this, waveTweakerTemplate(), IDC_WAVE_VIEW);
    view_->setEditMode(false);
    open(owner);
}

bool WaveTweakerDialog::takePenPoint(WaveTweakerInput::Pointer pointer, QMouseEvent& event)
{
    using WaveTweakerInput::Pointer;
    const QPoint point = pixelOf(event);
    const bool leftButton = pointer == Pointer::Move ? event.buttons().testFlag(Qt::LeftButton)
                                                     : event.button() == Qt::LeftButton;
    // The view's outer rectangle, sunken edge included.
    const bool overView = view_->geometry().contains(point);
    bool editMode = view_->editMode();
    const bool takes = WaveTweakerInput::takesPoint(pointer, leftButton, overView, editMode);
    view_->setEditMode(editMode);
    if (!takes)
        return false;
    view_->penPoint(view_->mapFrom(this, point) - view_->clientArea().topLeft());
    event.accept();
    return true;
}

void WaveTweakerDialog::mousePressEvent(QMouseEvent* event)
{
    if (!takePenPoint(WaveTweakerInput::Pointer::Press, *event))
        QDialog::mousePressEvent(event);
}

// Qt delivers the second press of a double click as this event alone, and its
// default handler would take it for a press; it is none and draws nothing.
void WaveTweakerDialog::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!takePenPoint(WaveTweakerInput::Pointer::DoubleClick, *event))
        event->ignore();
}

void WaveTweakerDialog::mouseMoveEvent(QMouseEvent* event)
{
    if (!takePenPoint(WaveTweakerInput::Pointer::Move, *event))
        QDialog::mouseMoveEvent(event);
}

void WaveTweakerDialog::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->reason() != QContextMenuEvent::Mouse || !view_->geometry().contains(event->pos())) {
        QDialog::contextMenuEvent(event);
        return;
    }
    event->accept();
    controller_.pictureMenuRequested(Point{event->globalPos().x(), event->globalPos().y()});
}

} // namespace hwd
