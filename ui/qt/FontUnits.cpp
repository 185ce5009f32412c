#include "FontUnits.h"

#include <QFontMetrics>

namespace hwd {

DialogUnits dialogUnitsOf(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int alphabetWidth =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {DialogUnits::baseWidthFromAlphabet(alphabetWidth), metrics.height()};
}

} // namespace hwd
