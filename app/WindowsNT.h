#pragma once

namespace hwd {

// The capability flag that chooses the view's vertical scaling and allows the
// Wave Tweaker to open. False at start; MainDialog's constructor sets it once from
// the platform check, which reports true on every system this program runs on.
[[nodiscard]] bool isWindowsNT() noexcept;
void setWindowsNT(bool value) noexcept;

// The platform check, each front end's own: whether this system counts as the
// NT family.
[[nodiscard]] bool platformIsWindowsNT() noexcept;

} // namespace hwd
