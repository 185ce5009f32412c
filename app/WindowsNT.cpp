#include "WindowsNT.h"

namespace hwd {

namespace {
bool windowsNT = false;
}

bool isWindowsNT() noexcept
{
    return windowsNT;
}

void setWindowsNT(bool value) noexcept
{
    windowsNT = value;
}

} // namespace hwd
