#include "AboutDialog.h"

#include "TemplateWindow.h"
#include "WindowCentring.h"
#include "app/DialogTemplates.h"
#include "app/ResourceIds.h"

#include <QLabel>
#include <QPushButton>

namespace hwd {

AboutDialog::AboutDialog(QWidget* owner) : QDialog(owner, TemplateWindow::flagsFor(aboutBoxTemplate().frame))
{
    const DialogTemplate& dialogTemplate = aboutBoxTemplate();
    for (const TemplateWindow::BuiltControl& built : TemplateWindow::build(*this, dialogTemplate)) {
        auto* label = qobject_cast<QLabel*>(built.widget);
        if (built.control->kind == ControlKind::CentredText && label != nullptr)
            label->setText(QString::fromLatin1(aboutText()));
    }

    auto* ok = TemplateWindow::child<QPushButton>(*this, dialogTemplate, IDOK);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    ok->setFocus();

    // The native window first, so that the centring knows the frame around it.
    create();
    WindowCentring::centre(*this, owner);
}

} // namespace hwd
