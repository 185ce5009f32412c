#include "Utf8Console.h"

#include <cstdio>

#include <windows.h>

namespace hwd {

namespace {

bool isConsole(DWORD standardHandle) noexcept
{
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(standardHandle), &mode) != 0;
}

} // namespace

Utf8Console::Utf8Console() noexcept
{
    if (!isConsole(STD_OUTPUT_HANDLE) && !isConsole(STD_ERROR_HANDLE))
        return;
    const UINT current = GetConsoleOutputCP();
    if (current != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
        previousCodePage_ = current;
}

Utf8Console::~Utf8Console()
{
    if (previousCodePage_ == 0)
        return;
    // What is still buffered is UTF-8 too.
    std::fflush(stdout);
    std::fflush(stderr);
    SetConsoleOutputCP(previousCodePage_);
}

} // namespace hwd
