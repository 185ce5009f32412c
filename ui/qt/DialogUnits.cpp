#include "DialogUnits.h"

#include <QFontMetrics>

namespace {

// Rounded unit conversion, as dialog managers compute it.
int scale(int units, int base, int divisor) noexcept
{
    const long long product = static_cast<long long>(units) * base;
    return static_cast<int>((product + (product >= 0 ? divisor / 2 : -divisor / 2)) / divisor);
}

} // namespace

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseWidth_ = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
    baseHeight_ = metrics.height();
}

int DialogUnits::x(int units) const noexcept
{
    return scale(units, baseWidth_, 4);
}

int DialogUnits::y(int units) const noexcept
{
    return scale(units, baseHeight_, 8);
}

QRect DialogUnits::rect(int x, int y, int width, int height) const noexcept
{
    return {this->x(x), this->y(y), this->x(width), this->y(height)};
}

QSize DialogUnits::size(int width, int height) const noexcept
{
    return {x(width), y(height)};
}
