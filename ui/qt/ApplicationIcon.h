#pragma once

#include <QIcon>

namespace hwd {

// Icon 128 of the program, at every size the resources hold: the windows'
// icon and the About box's picture.
[[nodiscard]] QIcon applicationIcon();

} // namespace hwd
