#pragma once

#include "DialogWindow.h"
#include "FileDrop.h"

namespace hwd {

class DialogController;

// The bank window: modeless beside the main dialog, which owns it, built from
// its template and driven by its controller. It takes every file of a drop
// and says where it landed: on a cell of the picture, or elsewhere. Closed by
// its controller's endDialog, it is deleted.
class BankDialog final : public DialogWindow {
    Q_OBJECT

public:
    BankDialog(DialogController& controller, QWidget* owner);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    FileDrop drops_;
};

} // namespace hwd
