#include "DialogWindow.h"

#include "KeyTranslation.h"
#include "WindowCentring.h"
#include "app/DialogController.h"
#include "app/DialogTemplates.h"
#include "app/ResourceIds.h"

namespace hwd {

DialogWindow::DialogWindow(DialogController& controller, const DialogTemplate& dialogTemplate, QWidget* owner,
                           Waveshape* wave)
    : QDialog(owner, TemplateWindow::flagsFor(dialogTemplate.frame)),
      WindowControls(*this, dialogTemplate),
      controller_(controller)
{
    const std::vector<TemplateWindow::BuiltControl> built =
        TemplateWindow::build(*this, dialogTemplate, wave, &controller_);
    TemplateWindow::routeCommands(built, controller_);
    installEventFilter(this);
    for (const TemplateWindow::BuiltControl& control : built)
        control.widget->installEventFilter(this);
}

void DialogWindow::open(QWidget* owner)
{
    // The native window first, so that the centring knows the frame around it.
    create();
    WindowCentring::centre(*this, owner != nullptr ? owner->window() : nullptr);
    controller_.initialise(*this);
}

int DialogWindow::runModal(int /*templateId*/, DialogController* /*controller*/)
{
    return 0;
}

void DialogWindow::endDialog(int code)
{
    done(code);
}

void DialogWindow::reject()
{
    controller_.command(IDCANCEL, ControlEvent::Other);
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (const std::optional<KeyPress> key = keyPressFor(*event); key && controller_.keyPressed(*key))
        return true;
    return QDialog::eventFilter(watched, event);
}

} // namespace hwd
