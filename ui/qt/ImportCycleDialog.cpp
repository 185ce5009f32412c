#include "ImportCycleDialog.h"

#include "app/DialogController.h"
#include "app/DialogTemplates.h"
#include "app/ResourceIds.h"

#include <QContextMenuEvent>

namespace hwd {

ImportCycleDialog::ImportCycleDialog(DialogController& controller, QWidget* owner)
    : DialogWindow(controller, importCycleTemplate(), owner)
{
    open(owner);
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
