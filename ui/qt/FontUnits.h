#pragma once

#include "app/DialogUnits.h"

class QFont;

namespace hwd {

// The dialog units of a Qt font: the average character width measured over the
// 52 letters, the character height as the font's line height. Templates are laid
// out through them, so the windows keep their proportions at any font size.
[[nodiscard]] DialogUnits dialogUnitsOf(const QFont& font);

} // namespace hwd
