#pragma once

#include <windows.h>

namespace hwd {

// The program's module bookkeeping: the instance from which every dialog
// template and icon is loaded, and the thread that entered the program.
namespace Module {

void initialise(HINSTANCE instance) noexcept;
void terminate() noexcept;

// The module handed to initialise; before that (and after terminate) the
// executable's own module, so that a test program finds its linked templates.
[[nodiscard]] HINSTANCE instance() noexcept;
[[nodiscard]] DWORD mainThread() noexcept;

} // namespace Module

} // namespace hwd
