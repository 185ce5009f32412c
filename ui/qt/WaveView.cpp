#include "WaveView.h"

#include "app/WindowsNT.h"
#include "wave/Waveshape.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

const QColor boxColour(128, 128, 255);
const QColor markColour(255, 0, 128);

// The full-scale span of the pen: the bottom edge of the client area maps to
// -32767 and every 65535/H rows up add one pixel's worth.
constexpr double penSpan = 65535.0;
constexpr double penOffset = 32767.0;

// A pen point repaints the columns x - 3 to x + 2.
constexpr int stripBefore = 3;
constexpr int stripWidth = 6;

// The wave mapping: 128 logical units across the width, E logical units over the
// height with 0 on the middle row (the half truncated) and positive values up.
class WaveMapping final {
public:
    WaveMapping(int width, int height, int extent) noexcept
        : width_(width), height_(height), extent_(extent)
    {
    }

    [[nodiscard]] int column(int x) const noexcept
    {
        return static_cast<int>(std::lround(static_cast<double>(x) * width_ / waveshapeSampleCount));
    }

    [[nodiscard]] int centreRow() const noexcept { return height_ / 2; }

    [[nodiscard]] int row(int y) const noexcept
    {
        return centreRow() - static_cast<int>(std::lround(static_cast<double>(y) * height_ / extent_));
    }

private:
    int width_;
    int height_;
    int extent_;
};

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
    if (!isWindowsNT()) {
        return 32767;
    }
    return editMode_ ? 65535 : 68535;
}

void WaveView::penPoint(QPoint point)
{
    if (!editMode_) {
        return;
    }
    const QRect area = clientArea();
    const int width = area.width();
    const int height = area.height();
    if (width <= 0 || height <= 0) {
        return;
    }

    const double index = static_cast<double>(point.x()) / width * waveshapeSampleCount;
    const double value = static_cast<double>(height - point.y()) / height * penSpan - penOffset;

    // Points on the sunken edge go to the nearest sample, and the rows at and above
    // the top edge to full scale, so nothing lands outside the samples or wraps.
    const auto sample = static_cast<std::size_t>(
        std::clamp(std::trunc(index), 0.0, static_cast<double>(waveshapeSampleCount - 1)));
    wave_.samples[sample] = static_cast<std::int16_t>(std::clamp(std::trunc(value), -32768.0, 32767.0));

    update(QRect(area.left() + point.x() - stripBefore, area.top(), stripWidth, height) & area);
}

void WaveView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    drawFrame(&painter);

    const QRect area = clientArea();
    const int width = area.width();
    const int height = area.height();
    if (width <= 0 || height <= 0) {
        return;
    }
    painter.setClipRect(area, Qt::IntersectClip);
    painter.translate(area.topLeft());
    painter.setRenderHint(QPainter::Antialiasing, false);

    // The box: black outermost pixels, light blue inside.
    painter.fillRect(QRect(0, 0, width, height), Qt::black);
    if (width > 2 && height > 2) {
        painter.fillRect(QRect(1, 1, width - 2, height - 2), boxColour);
    }
    if (!wave_.loaded) {
        return;
    }

    const bool windowsNT = isWindowsNT();
    const WaveMapping mapping(width, height, verticalExtent());
    const int centre = mapping.centreRow();

    for (int i = 0; i < waveshapeSampleCount; ++i) {
        const int sample = wave_.samples[static_cast<std::size_t>(i)];
        const int v = windowsNT ? sample : sample / 2;
        const int top = mapping.row(std::max(v, 0));
        const int bottom = mapping.row(std::min(v, 0));
        const int left = mapping.column(i);
        const int right = mapping.column(i + 1);
        if (bottom > top && right > left) {
            painter.fillRect(QRect(left, top, right - left, bottom - top), Qt::black);
        }
    }

    // The centre line, over the bars.
    painter.fillRect(QRect(0, centre, width, 1), Qt::black);

    if (wave_.resampled) {
        const QPoint anchor(mapping.column(3), mapping.row(windowsNT ? 32767 : 16383));
        // The surface's own font, with plain glyph pixels so that the mark is
        // exactly its red and not a blend with the box.
        QFont font = painter.font();
        font.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(font);
        const QFontMetrics metrics(font);
        painter.setPen(markColour);
        painter.setBackgroundMode(Qt::TransparentMode);
        painter.drawText(anchor + QPoint(0, metrics.ascent()), QStringLiteral("*"));
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
