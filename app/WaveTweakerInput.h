#pragma once

namespace hwd {

// Which mouse input over the Wave Tweaker becomes a pen point, for both front
// ends: a left-button press over the view turns edit mode on and draws; a move
// over the view with the left button down draws (the view ignores it until
// edit mode is on); the second press of a double click is no press and draws
// nothing; nothing else is the editor's.
namespace WaveTweakerInput {

enum class Pointer { Press, DoubleClick, Move };

// Whether to send the point to the view. A press over the view sets editMode.
[[nodiscard]] bool takesPoint(Pointer pointer, bool leftButton, bool overView, bool& editMode) noexcept;

} // namespace WaveTweakerInput

} // namespace hwd
