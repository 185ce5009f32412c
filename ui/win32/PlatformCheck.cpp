// The platform check behind isWindowsNT: the version query's platform id.
#include "app/WindowsNT.h"

#include <windows.h>

#include <cstring>

namespace hwd {

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record the query expects");

bool platformIsWindowsNT() noexcept
{
    OSVERSIONINFOA version;
    std::memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    // A failed query leaves the id 0, which is not the NT family.
    (void)GetVersionExA(&version);
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

} // namespace hwd
