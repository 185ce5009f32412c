#pragma once

#include "TemplateWindow.h"
#include "WindowControls.h"

#include <QDialog>

#include <vector>

namespace hwd {

class DialogController;
struct DialogTemplate;
struct Waveshape;

// A modal dialog built from its template and driven by its controller: its
// buttons and edit fields report to the controller, every key goes to the
// controller first from whatever control has the focus (the main loop's filter
// does not run inside the dialog's own loop), Escape and the close box are the
// Cancel command, and the controller's endDialog ends it.
class DialogWindow : public QDialog, public WindowControls {
    Q_OBJECT

public:
    int runModal(int templateId, DialogController* controller) override;
    void endDialog(int code) override;

public slots:
    void reject() override;

protected:
    // wave: what a wave view of the template paints.
    DialogWindow(DialogController& controller, const DialogTemplate& dialogTemplate, QWidget* owner,
                 Waveshape* wave = nullptr);

    // Centres the window over its owner and hands it to the controller; the
    // last step of a subclass's constructor, once its own controls are set.
    void open(QWidget* owner);

    bool eventFilter(QObject* watched, QEvent* event) override;

    DialogController& controller_;
};

} // namespace hwd
