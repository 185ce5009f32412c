#pragma once

#include "Geometry.h"

#include <optional>

namespace hwd {

// How the dialogs place themselves when they open: centred over their owner,
// or on the work area (the screen less its panels) when there is no owner to
// see, then moved back inside the work area wherever they would stick out.
// Only the position changes.
namespace WindowPlacement {

// The top-left corner that centres a window of this size on area.
[[nodiscard]] Point centredOn(const Rect& area, Size size) noexcept;

// The nearest top-left corner that keeps the window inside area; where it
// cannot fit, the left and top edges win over the right and bottom ones.
[[nodiscard]] Point keptInside(Point topLeft, Size size, const Rect& area) noexcept;

// Where a window of this size opens: over ownerFrame when the owner is
// visible and not minimised (else pass nothing), else on workArea; in either
// case kept inside workArea.
[[nodiscard]] Point place(Size window, const std::optional<Rect>& ownerFrame, const Rect& workArea) noexcept;

} // namespace WindowPlacement

} // namespace hwd
