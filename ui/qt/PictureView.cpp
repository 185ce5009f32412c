#include "PictureView.h"

#include "QtGeometry.h"
#include "app/DialogController.h"

#include <QFontMetrics>
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
    const Drawing drawing = controller_.drawPicture(controlId_, fromQSize(area.size()));
    for (const Drawing::Fill& fill : drawing.fills)
        painter.fillRect(toQRect(fill.rect), QColor(fill.colour.red, fill.colour.green, fill.colour.blue));
    const QFontMetrics metrics(font());
    for (const Drawing::Text& text : drawing.texts) {
        const QRect box = toQRect(text.box);
        painter.setPen(QColor(text.colour.red, text.colour.green, text.colour.blue));
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         metrics.elidedText(QString::fromStdString(text.utf8), Qt::ElideRight, box.width()));
    }
}

std::optional<QPoint> PictureView::reportedPress(const QMouseEvent& event) const
{
    const QPointF position = event.position();
    const QPoint pixel(static_cast<int>(std::floor(position.x())), static_cast<int>(std::floor(position.y())));
    if (reports_ != MouseReports::Notify || event.button() != Qt::LeftButton || !clientArea().contains(pixel))
        return std::nullopt;
    return pixel - clientArea().topLeft();
}

void PictureView::mousePressEvent(QMouseEvent* event)
{
    const std::optional<QPoint> pixel = reportedPress(*event);
    if (!pixel) {
        QFrame::mousePressEvent(event);
        return;
    }
    event->accept();
    if (focusPolicy() & Qt::ClickFocus)
        setFocus(Qt::MouseFocusReason);
    const Qt::KeyboardModifiers held = event->modifiers();
    controller_.pictureClicked(controlId_, fromQPoint(*pixel), fromQSize(clientArea().size()),
                               ClickKeys{held.testFlag(Qt::ShiftModifier), held.testFlag(Qt::ControlModifier)});
}

// The second press of a double click, as the platform's notifying static
// reports it: a double click, not a click.
void PictureView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const std::optional<QPoint> pixel = reportedPress(*event);
    if (!pixel) {
        QFrame::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    controller_.pictureDoubleClicked(controlId_, fromQPoint(*pixel), fromQSize(clientArea().size()));
}

void PictureView::focusInEvent(QFocusEvent* event)
{
    QFrame::focusInEvent(event);
    update();
}

void PictureView::focusOutEvent(QFocusEvent* event)
{
    QFrame::focusOutEvent(event);
    update();
}

} // namespace hwd
