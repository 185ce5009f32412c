#include "PathLabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace hwd {

QString PathLabel::displayedText() const
{
    return elidedPath(text(), fontMetrics(), contentsRect().width());
}

QString PathLabel::elidedPath(const QString& path, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(path) <= width)
        return path;
    const qsizetype separator = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    if (separator <= 0)
        return metrics.elidedText(path, Qt::ElideMiddle, width);

    const QString ellipsis(QChar(0x2026));
    const QString lastComponent = path.mid(separator);
    const int roomForHead = width - metrics.horizontalAdvance(lastComponent);
    if (roomForHead < metrics.horizontalAdvance(ellipsis))
        return metrics.elidedText(ellipsis + lastComponent, Qt::ElideRight, width);
    return metrics.elidedText(path.left(separator), Qt::ElideRight, roomForHead) + lastComponent;
}

void PathLabel::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(), isEnabled(),
                          displayedText(), foregroundRole());
}

} // namespace hwd
