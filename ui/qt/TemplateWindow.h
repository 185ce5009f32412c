#pragma once

#include "app/DialogController.h"
#include "app/DialogTemplates.h"

#include <QWidget>

#include <vector>

namespace hwd {

struct Waveshape;

// Builds a Qt window from its dialog template, as the platform's dialog manager
// builds one from a resource: one child widget per control, created in template
// order (so Qt's tab order is the template's), named by the control's id name
// and placed through the dialog units of the window's font.
namespace TemplateWindow {

// The frame and title-bar buttons of each kind of dialog.
[[nodiscard]] Qt::WindowFlags flagsFor(DialogFrame frame) noexcept;

struct BuiltControl {
    const ControlTemplate* control;
    QWidget* widget;
};

// Gives window the template's caption, object name, fixed size and drop
// acceptance, then creates its controls. A wave view paints wave, which only a
// template with a view needs; it reports double clicks when its control is a
// notifying one and lets the mouse through to the window otherwise. A picture
// is drawn by pictures, which only a template with pictures needs. A label's
// access key moves the focus to the control after it, as in the platform's
// dialogs.
std::vector<BuiltControl> build(QWidget& window, const DialogTemplate& dialogTemplate, Waveshape* wave = nullptr,
                                DialogController* pictures = nullptr);

// The child built for controlId (the first one for IDC_STATIC), or nullptr.
[[nodiscard]] QWidget* child(const QWidget& window, const DialogTemplate& dialogTemplate, int controlId);

template <class Widget>
[[nodiscard]] Widget* child(const QWidget& window, const DialogTemplate& dialogTemplate, int controlId)
{
    return qobject_cast<Widget*>(child(window, dialogTemplate, controlId));
}

// Each push button's click, and each change the user makes to an edit field's
// text, reaches controller as the command of its id.
void routeCommands(const std::vector<BuiltControl>& built, DialogController& controller);

} // namespace TemplateWindow

} // namespace hwd
