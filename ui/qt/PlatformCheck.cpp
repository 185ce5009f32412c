#include "app/WindowsNT.h"

namespace hwd {

bool platformIsWindowsNT() noexcept
{
    // Every system this program runs on has the full-scale drawing and the editor.
    return true;
}

} // namespace hwd
