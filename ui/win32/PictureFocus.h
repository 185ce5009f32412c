#pragma once

#include "SubclassedControl.h"

#include <memory>
#include <vector>

namespace hwd {

struct DialogTemplate;

// A Picture control that is a tab stop, and so takes the keyboard focus. Its
// controller draws the focus itself, asking which control has it while it
// draws, so the picture is repainted whenever it gains or loses the focus;
// the static control would not repaint for that.
class PictureFocus final : public SubclassedControl {
public:
    PictureFocus() = default;

    // Takes over every Picture of dialogTemplate in dialog that is a tab stop.
    [[nodiscard]] static std::vector<std::unique_ptr<PictureFocus>> takeOver(HWND dialog,
                                                                            const DialogTemplate& dialogTemplate);

protected:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

} // namespace hwd
