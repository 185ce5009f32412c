#pragma once

#include <QPointer>
#include <QWidget>

#include <vector>

class QEvent;

namespace hwd {

// The moves of the focus that a dialog gets from the platform, for a window
// that runs in the application's own loop rather than in a modal one: Tab and
// Shift+Tab move the focus along the tab stops in template order (from the
// dialog itself, to the first or the last); the arrow keys move it among the
// controls of one group while a push button has it. Space presses the focused
// button (the button does that itself); Enter and Esc are the controller's.
class DialogKeyboard final {
public:
    explicit DialogKeyboard(QWidget& dialog) noexcept : dialog_(dialog) {}

    // Controls in template order; the first one always starts a group.
    void addControl(QWidget& control, bool startsGroup);

    // A key press for one of the dialog's widgets: whether it moved the focus.
    [[nodiscard]] bool handle(QObject* receiver, QEvent* event);

private:
    struct Control {
        QPointer<QWidget> widget;
        int group = 0;
    };

    void moveFocus(const QWidget* from, bool forward, bool withinGroup);
    [[nodiscard]] bool canTakeFocus(const QWidget* widget) const;

    QWidget& dialog_;
    std::vector<Control> controls_;
};

} // namespace hwd
