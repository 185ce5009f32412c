#include "AboutDialog.h"

#include "ApplicationIcon.h"
#include "DialogUnits.h"
#include "WindowCentring.h"

#include <QLabel>
#include <QPushButton>

AboutDialog::AboutDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                         | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("IDD_ABOUTBOX"));
    setWindowTitle(QStringLiteral("About"));
    const DialogUnits units(font());
    setFixedSize(units.size(187, 102));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("IDC_STATIC"));
    picture->setGeometry(units.rect(83, 7, 20, 20));
    const int side = std::min(picture->width(), picture->height());
    picture->setPixmap(applicationIcon().pixmap(QSize(side, side), devicePixelRatioF()));
    picture->setAlignment(Qt::AlignCenter);

    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("IDC_STATIC"));
    text->setGeometry(units.rect(7, 30, 173, 49));
    text->setText(QStringLiteral("%1\n\n%2\n\n%3")
                      .arg(QLatin1String(AboutTexts::title), QLatin1String(AboutTexts::authorship),
                           QLatin1String(AboutTexts::contact)));
    text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    text->setWordWrap(true);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("IDOK"));
    ok->setGeometry(units.rect(69, 81, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    ok->setFocus();

    create();
    WindowCentring::centre(*this, owner);
}
