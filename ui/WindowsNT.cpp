#include "WindowsNT.h"

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

bool platformIsWindowsNT() noexcept
{
    // Every system this program runs on has the full-scale drawing and the editor.
    return true;
}
