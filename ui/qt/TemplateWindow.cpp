#include "TemplateWindow.h"

#include "ApplicationIcon.h"
#include "FontUnits.h"
#include "PathLabel.h"
#include "PictureView.h"
#include "QtGeometry.h"
#include "WaveView.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace hwd {

namespace TemplateWindow {

namespace {

QWidget* makeDropDownList(QWidget& window, const QRect& rect)
{
    auto* list = new QComboBox(&window);
    list->setEditable(false);
    list->setInsertPolicy(QComboBox::NoInsert);
    // The template's height includes the opened list; the field keeps its own.
    const int fieldHeight = list->sizeHint().height();
    list->setMaxVisibleItems(std::max(1, (rect.height() - fieldHeight) / list->fontMetrics().height()));
    list->setGeometry(rect.x(), rect.y(), rect.width(), fieldHeight);
    return list;
}

QWidget* makeIcon(QWidget& window, const QRect& rect)
{
    auto* picture = new QLabel(&window);
    picture->setGeometry(rect);
    const int side = std::min(rect.width(), rect.height());
    picture->setPixmap(applicationIcon().pixmap(QSize(side, side), window.devicePixelRatioF()));
    picture->setAlignment(Qt::AlignCenter);
    return picture;
}

QWidget* makeControl(QWidget& window, const ControlTemplate& control, const QRect& rect, Waveshape* wave,
                     DialogController* pictures)
{
    const QString text = QString::fromLatin1(control.text);
    switch (control.kind) {
    case ControlKind::PushButton:
        // Qt's own default: in a QDialog a focused button takes Enter itself;
        // in the main window the dialog keyboard decides, and no button is
        // the default one.
        return new QPushButton(text, &window);
    case ControlKind::DefaultPushButton: {
        auto* button = new QPushButton(text, &window);
        button->setDefault(true);
        return button;
    }
    case ControlKind::GroupBox: {
        auto* group = new QGroupBox(text, &window);
        // A frame only: clicks inside it reach the controls it surrounds, and
        // it lies under them all, so that the shade some styles give its inside
        // does not tint them (the wave view's light blue above all).
        group->setAttribute(Qt::WA_TransparentForMouseEvents);
        group->lower();
        return group;
    }
    case ControlKind::Label:
        return new QLabel(text, &window);
    case ControlKind::PathLabel:
        return new PathLabel(text, &window);
    case ControlKind::WaveView:
        if (wave == nullptr)
            return nullptr;
        return new WaveView(*wave, control.notify ? WaveView::MouseReports::Notify : WaveView::MouseReports::PassThrough,
                            &window);
    case ControlKind::DropDownList:
        return makeDropDownList(window, rect);
    case ControlKind::Icon:
        return makeIcon(window, rect);
    case ControlKind::CentredText: {
        auto* label = new QLabel(text, &window);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setWordWrap(true);
        return label;
    }
    case ControlKind::Edit:
        return new QLineEdit(text, &window);
    case ControlKind::Picture: {
        if (pictures == nullptr)
            return nullptr;
        auto* view = new PictureView(*pictures, control.id,
                                     control.notify ? PictureView::MouseReports::Notify
                                                    : PictureView::MouseReports::MenuOnly,
                                     &window);
        if (control.tabStop)
            view->setFocusPolicy(Qt::StrongFocus);
        return view;
    }
    }
    return nullptr;
}

} // namespace

Qt::WindowFlags flagsFor(DialogFrame frame) noexcept
{
    const Qt::WindowFlags captionOnly = Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    switch (frame) {
    case DialogFrame::MainWindow:
        return Qt::Window | captionOnly | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
             | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    case DialogFrame::ModalWithClose:
        return Qt::Dialog | captionOnly | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
             | Qt::MSWindowsFixedSizeDialogHint;
    case DialogFrame::ModalNoClose:
        return Qt::Dialog | captionOnly;
    case DialogFrame::Modeless:
        return Qt::Dialog | captionOnly | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
             | Qt::MSWindowsFixedSizeDialogHint;
    }
    return Qt::Dialog;
}

std::vector<BuiltControl> build(QWidget& window, const DialogTemplate& dialogTemplate, Waveshape* wave,
                                DialogController* pictures)
{
    const DialogUnits units = dialogUnitsOf(window.font());
    window.setObjectName(QString::fromLatin1(dialogTemplate.name));
    window.setWindowTitle(QString::fromLatin1(dialogTemplate.caption));
    window.setFixedSize(toQSize(units.size(dialogTemplate.size)));
    window.setAcceptDrops(dialogTemplate.acceptsFiles);

    std::vector<BuiltControl> built;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        const QRect rect = toQRect(units.rect(control.rect));
        QWidget* widget = makeControl(window, control, rect, wave, pictures);
        if (widget == nullptr)
            continue;
        widget->setObjectName(QString::fromLatin1(control.name));
        if (control.kind != ControlKind::DropDownList)
            widget->setGeometry(rect);
        if (!control.tabStop)
            widget->setFocusPolicy(static_cast<Qt::FocusPolicy>(widget->focusPolicy() & ~Qt::TabFocus));
        built.push_back({&control, widget});
    }
    for (std::size_t i = 0; i + 1 < built.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(built[i].widget);
        if (label != nullptr && built[i].control->kind == ControlKind::Label
            && QString::fromLatin1(built[i].control->text).contains(QLatin1Char('&')))
            label->setBuddy(built[i + 1].widget);
    }
    return built;
}

QWidget* child(const QWidget& window, const DialogTemplate& dialogTemplate, int controlId)
{
    const ControlTemplate* control = dialogTemplate.control(controlId);
    if (control == nullptr)
        return nullptr;
    return window.findChild<QWidget*>(QString::fromLatin1(control->name), Qt::FindDirectChildrenOnly);
}

void routeCommands(const std::vector<BuiltControl>& built, DialogController& controller)
{
    for (const BuiltControl& control : built) {
        const int id = control.control->id;
        if (auto* button = qobject_cast<QPushButton*>(control.widget)) {
            QObject::connect(button, &QPushButton::clicked, button,
                             [&controller, id] { controller.command(id, ControlEvent::Clicked); });
        } else if (auto* edit = qobject_cast<QLineEdit*>(control.widget)) {
            // textEdited, not textChanged: a text the controller sets is no change of the user's.
            QObject::connect(edit, &QLineEdit::textEdited, edit,
                             [&controller, id] { controller.command(id, ControlEvent::Changed); });
        }
    }
}

} // namespace TemplateWindow

} // namespace hwd
