#include "ApplicationIcon.h"

#include <array>

// The resources of a static library are linked in only when something names
// their initialiser, and that has to happen outside any namespace.
static void initialiseResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace hwd {

QIcon applicationIcon()
{
    initialiseResources();
    QIcon icon;
    // The sizes a title bar, a task bar and the About box ask for, at up to twice
    // the scale; the larger images serve the desktop integration only.
    for (const int size : std::array{16, 24, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/harlix-wave-dump-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace hwd
