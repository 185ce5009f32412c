#include "PictureView.h"

#include "QtGeometry.h"
#include "app/DialogController.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace hwd {

PictureView::PictureView(DialogController& controller, int controlId, MouseReports reports, QWidget* parent)
    : QFrame(parent), controller_(controller), controlId_(controlId), reports_(reports)
{
    // The same one-pixel sunken edge as the wave's picture.
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
}

void PictureView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = clientArea();
    if (area.isEmpty())
        return;
    // The controller's pixels as they are: no blending, nothing outside the edge.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setClipRect(area, Qt::IntersectClip);
    painter.translate(area.topLeft());
    for (const Drawing::Fill& fill : controller_.drawPicture(controlId_, fromQSize(area.size())).fills)
        painter.fillRect(toQRect(fill.rect), QColor(fill.colour.red, fill.colour.green, fill.colour.blue));
}

// Qt hands the second press of a double click to mouseDoubleClickEvent, whose
// default comes here: each press is a click, as the platform's notifying
// static reports it.
void PictureView::mousePressEvent(QMouseEvent* event)
{
    const QPointF position = event->position();
    const QPoint pixel(static_cast<int>(std::floor(position.x())), static_cast<int>(std::floor(position.y())));
    const QRect area = clientArea();
    if (reports_ != MouseReports::Notify || event->button() != Qt::LeftButton || !area.contains(pixel)) {
        QFrame::mousePressEvent(event);
        return;
    }
    event->accept();
    const Qt::KeyboardModifiers held = event->modifiers();
    controller_.pictureClicked(controlId_, fromQPoint(pixel - area.topLeft()), fromQSize(area.size()),
                               ClickKeys{held.testFlag(Qt::ShiftModifier), held.testFlag(Qt::ControlModifier)});
}

} // namespace hwd
