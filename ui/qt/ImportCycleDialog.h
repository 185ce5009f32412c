#pragma once

#include "DialogWindow.h"

namespace hwd {

// The Import Cycle window, built from its template: a Qt renderer of its
// controller. Its pictures are the controller's drawings; a click on the
// recording's overview, the user's typing in Start and Length, its buttons and
// its keys reach the controller.
class ImportCycleDialog final : public DialogWindow {
    Q_OBJECT

public:
    explicit ImportCycleDialog(DialogController& controller, QWidget* owner = nullptr);

protected:
    // A right click on the cycle's picture opens the pictures' menu there.
    void contextMenuEvent(QContextMenuEvent* event) override;
};

} // namespace hwd
