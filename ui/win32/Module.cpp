#include "Module.h"

namespace hwd {

namespace {
HINSTANCE moduleInstance = nullptr;
DWORD moduleThread = 0;
} // namespace

namespace Module {

void initialise(HINSTANCE instance) noexcept
{
    moduleInstance = instance;
    moduleThread = GetCurrentThreadId();
}

void terminate() noexcept
{
    moduleInstance = nullptr;
    moduleThread = 0;
}

HINSTANCE instance() noexcept
{
    return moduleInstance != nullptr ? moduleInstance : GetModuleHandleW(nullptr);
}

DWORD mainThread() noexcept
{
    return moduleThread;
}

} // namespace Module

} // namespace hwd
