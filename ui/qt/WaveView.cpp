#include "WaveView.h"

#include "QtGeometry.h"
#include "app/WaveViewGeometry.h"
#include "app/WindowsNT.h"
#include "wave/Waveshape.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace hwd {

namespace {

const QColor boxColour(128, 128, 255);
const QColor markColour(255, 0, 128);

} // namespace

WaveView::WaveView(Waveshape& wave, MouseReports reports, QWidget* parent)
    : QFrame(parent), wave_(wave), reports_(reports)
{
    // A one-pixel sunken edge around the client area, as the dialog's static
    // control has; the picture's own black outline sits just inside it.
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    // Every paint covers the whole client area, so nothing is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    // Without the notify style the view lets presses and moves through to its
    // dialog, which turns them into pen points.
    setAttribute(Qt::WA_TransparentForMouseEvents, reports_ == MouseReports::PassThrough);
}

QRect WaveView::clientArea() const
{
    return contentsRect();
}

int WaveView::verticalExtent() const noexcept
{
    return WaveViewGeometry::verticalExtent(isWindowsNT(), editMode_);
}

void WaveView::penPoint(QPoint point)
{
    if (!editMode_)
        return;
    const QRect area = clientArea();
    const Size client = fromQSize(area.size());
    const auto target = WaveViewGeometry::penTarget(fromQPoint(point), client);
    if (!target)
        return;
    wave_.samples[target->index] = target->value;
    update(toQRect(WaveViewGeometry::penStrip(point.x(), client)).translated(area.topLeft()));
}

void WaveView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    drawFrame(&painter);

    const QRect area = clientArea();
    const int width = area.width();
    const int height = area.height();
    if (width <= 0 || height <= 0)
        return;
    painter.setClipRect(area, Qt::IntersectClip);
    painter.translate(area.topLeft());
    painter.setRenderHint(QPainter::Antialiasing, false);

    // The box: black outermost pixels, light blue inside.
    painter.fillRect(QRect(0, 0, width, height), Qt::black);
    if (width > 2 && height > 2)
        painter.fillRect(QRect(1, 1, width - 2, height - 2), boxColour);
    if (!wave_.loaded)
        return;

    const bool windowsNT = isWindowsNT();
    const WaveViewGeometry::Mapping mapping(width, height, verticalExtent());

    for (int i = 0; i < waveshapeSampleCount; ++i) {
        const int value = WaveViewGeometry::displayedValue(wave_.samples[static_cast<std::size_t>(i)], windowsNT);
        const QRect bar = toQRect(mapping.bar(i, value));
        if (!bar.isEmpty())
            painter.fillRect(bar, Qt::black);
    }

    // The centre line, over the bars.
    painter.fillRect(QRect(0, mapping.centreRow(), width, 1), Qt::black);

    if (wave_.resampled) {
        const Point anchor = WaveViewGeometry::markAnchor(windowsNT);
        // The surface's own font, with plain glyph pixels so that the mark is
        // exactly its red and not a blend with the box.
        QFont font = painter.font();
        font.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(font);
        const QFontMetrics metrics(font);
        painter.setPen(markColour);
        painter.setBackgroundMode(Qt::TransparentMode);
        // Anchored at its top-left corner: drawText takes the baseline.
        painter.drawText(QPoint(mapping.column(anchor.x), mapping.row(anchor.y) + metrics.ascent()),
                         QStringLiteral("*"));
    }
}

void WaveView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (reports_ == MouseReports::Notify && event->button() == Qt::LeftButton) {
        event->accept();
        emit doubleClicked();
        return;
    }
    QFrame::mouseDoubleClickEvent(event);
}

void WaveView::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->reason() != QContextMenuEvent::Mouse) {
        QFrame::contextMenuEvent(event);
        return;
    }
    event->accept();
    emit menuRequested(event->globalPos());
}

} // namespace hwd
