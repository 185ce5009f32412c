#include "DialogUnits.h"

#include <QFontMetrics>

DialogUnits dialogUnitsOf(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int alphabetWidth =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {DialogUnits::baseWidthFromAlphabet(alphabetWidth), metrics.height()};
}
