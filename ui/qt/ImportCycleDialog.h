#pragma once

#include "WindowControls.h"

#include <QDialog>

namespace hwd {

class DialogController;

// The Import Cycle window, built from its template: a Qt renderer of its
// controller. Its pictures are the controller's drawings; a click on the
// recording's overview, the user's typing in Start and Length, its buttons and
// its keys reach the controller.
class ImportCycleDialog final : public QDialog, public WindowControls {
    Q_OBJECT

public:
    explicit ImportCycleDialog(DialogController& controller, QWidget* owner = nullptr);

    int runModal(int templateId, DialogController* controller) override;
    void endDialog(int code) override;

public slots:
    // Escape, the close box and any other way Qt would cancel the dialog are
    // the Cancel command.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A right click on the cycle's picture opens the pictures' menu there.
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    DialogController& controller_;
};

} // namespace hwd
