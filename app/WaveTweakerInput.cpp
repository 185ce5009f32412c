#include "WaveTweakerInput.h"

namespace hwd {

namespace WaveTweakerInput {

bool takesPoint(Pointer pointer, bool leftButton, bool overView, bool& editMode) noexcept
{
    if (!leftButton || !overView)
        return false;
    switch (pointer) {
    case Pointer::Press:
        // Edit mode comes first, so the first press already draws.
        editMode = true;
        return true;
    case Pointer::Move:
        return true;
    case Pointer::DoubleClick:
        return false;
    }
    return false;
}

} // namespace WaveTweakerInput

} // namespace hwd
