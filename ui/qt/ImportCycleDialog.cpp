#include "ImportCycleDialog.h"

#include "KeyTranslation.h"
#include "TemplateWindow.h"
#include "WindowCentring.h"
#include "app/DialogTemplates.h"
#include "app/ResourceIds.h"

#include <QContextMenuEvent>

namespace hwd {

ImportCycleDialog::ImportCycleDialog(DialogController& controller, QWidget* owner)
    : QDialog(owner, TemplateWindow::flagsFor(importCycleTemplate().frame)),
      WindowControls(*this, importCycleTemplate()),
      controller_(controller)
{
    const std::vector<TemplateWindow::BuiltControl> built =
        TemplateWindow::build(*this, importCycleTemplate(), nullptr, &controller_);
    TemplateWindow::routeCommands(built, controller_);
    // The main loop's filter does not run inside this dialog's own loop: the
    // keys come to the controller from whatever control has the focus.
    installEventFilter(this);
    for (const TemplateWindow::BuiltControl& control : built)
        control.widget->installEventFilter(this);

    // The native window first, so that the centring knows the frame around it.
    create();
    WindowCentring::centre(*this, owner != nullptr ? owner->window() : nullptr);
    controller_.initialise(*this);
}

int ImportCycleDialog::runModal(int /*templateId*/, DialogController* /*controller*/)
{
    return 0;
}

void ImportCycleDialog::endDialog(int code)
{
    done(code);
}

void ImportCycleDialog::reject()
{
    controller_.command(IDCANCEL, ControlEvent::Other);
}

bool ImportCycleDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (const std::optional<KeyPress> key = keyPressFor(*event); key && controller_.keyPressed(*key))
        return true;
    return QDialog::eventFilter(watched, event);
}

void ImportCycleDialog::contextMenuEvent(QContextMenuEvent* event)
{
    const QWidget* cycle = TemplateWindow::child(*this, importCycleTemplate(), IDC_CYCLE_VIEW);
    if (event->reason() != QContextMenuEvent::Mouse || cycle == nullptr || !cycle->geometry().contains(event->pos())) {
        QDialog::contextMenuEvent(event);
        return;
    }
    event->accept();
    controller_.pictureMenuRequested(Point{event->globalPos().x(), event->globalPos().y()});
}

} // namespace hwd
