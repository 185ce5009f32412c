#include "WaveTweakerDialog.h"

#include "DialogUnits.h"
#include "WaveView.h"
#include "WindowCentring.h"
#include "wave/WaveOperations.h"
#include "wave/Waveshape.h"

#include <QMouseEvent>
#include <QPushButton>

#include <cmath>
#include <utility>

namespace {

// The template's size and the buttons' common size, in dialog units.
constexpr int dialogWidth = 329;
constexpr int dialogHeight = 233;
constexpr int buttonWidth = 50;
constexpr int buttonHeight = 14;
constexpr int buttonColumn = 272;

// A mouse position as the whole pixel it falls in.
QPoint pixelOf(const QMouseEvent* event)
{
    const QPointF position = event->position();
    return {static_cast<int>(std::floor(position.x())), static_cast<int>(std::floor(position.y()))};
}

} // namespace

WaveTweakerDialog::WaveTweakerDialog(Waveshape& wave, QWidget* owner)
    // No system menu, so the caption has no close box: only OK and Escape end it.
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      wave_(wave),
      ticks_(&WaveOperations::millisecondTicks)
{
    setWindowTitle(QStringLiteral("Wave Tweaker"));
    const DialogUnits units(font());
    setFixedSize(units.size(dialogWidth, dialogHeight));

    // Created in template order, which is also the tab order.
    QPushButton* ok = addButton(units, QStringLiteral("OK"), "IDOK", {buttonColumn, 7, buttonWidth, buttonHeight});
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    view_ = new WaveView(wave_, WaveView::MouseReports::PassThrough, this);
    view_->setObjectName(QStringLiteral("IDC_WAVE_VIEW"));
    view_->setGeometry(units.rect(7, 7, 256, 219));
    view_->setEditMode(false);

    const struct {
        const char* text;
        const char* name;
        int y;
        void (*operation)(Waveshape&) noexcept;
    } operations[] = {
        {"Filter", "IDC_FILTER", 28, &WaveOperations::filter},
        {"Normalize", "IDC_NORMALIZE", 45, &WaveOperations::normalize},
        {"Additive", "IDC_ADDITIVE", 62, &WaveOperations::additive},
        {"Undo", "IDC_UNDO", 117, &WaveOperations::undoLast},
        {"Clear", "IDC_CLEAR", 100, &WaveOperations::clear},
    };
    for (const auto& entry : operations) {
        QPushButton* button = addButton(units, QString::fromLatin1(entry.text), entry.name,
                                        {buttonColumn, entry.y, buttonWidth, buttonHeight});
        const auto operation = entry.operation;
        connect(button, &QPushButton::clicked, this, [this, operation] {
            operation(wave_);
            view_->update();
        });
    }
    QPushButton* randomPD = addButton(units, QStringLiteral("Random PD"), "IDC_RANDOM_PD",
                                      {buttonColumn, 79, buttonWidth, buttonHeight});
    connect(randomPD, &QPushButton::clicked, this, [this] {
        WaveOperations::randomPD(wave_, ticks_());
        view_->update();
    });

    WindowCentring::centre(*this, owner != nullptr ? owner->window() : nullptr);
    WaveOperations::takeSnapshot(wave_);
    ok->setFocus();
}

void WaveTweakerDialog::setTickSource(TickSource ticks)
{
    ticks_ = std::move(ticks);
}

void WaveTweakerDialog::reject()
{
    done(2);
}

QPushButton* WaveTweakerDialog::addButton(const DialogUnits& dialogUnits, const QString& text, const char* name,
                                          QRect units)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(dialogUnits.rect(units.x(), units.y(), units.width(), units.height()));
    return button;
}

bool WaveTweakerDialog::isOverView(QPoint point) const
{
    // The view's outer rectangle, sunken edge included.
    return view_->geometry().contains(point);
}

void WaveTweakerDialog::sendPenPoint(QPoint point)
{
    view_->penPoint(view_->mapFrom(this, point) - view_->clientArea().topLeft());
}

void WaveTweakerDialog::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = pixelOf(event);
    if (event->button() != Qt::LeftButton || !isOverView(point)) {
        QDialog::mousePressEvent(event);
        return;
    }
    // Edit mode comes first, so the first press already draws.
    view_->setEditMode(true);
    sendPenPoint(point);
    event->accept();
}

void WaveTweakerDialog::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = pixelOf(event);
    if (!event->buttons().testFlag(Qt::LeftButton) || !isOverView(point)) {
        QDialog::mouseMoveEvent(event);
        return;
    }
    sendPenPoint(point);
    event->accept();
}
