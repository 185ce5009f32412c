#pragma once

#include <QPointer>
#include <QWidget>

#include <vector>

class QEvent;

namespace hwd {

// The keyboard interface that a dialog gets from the platform, for a window that
// runs in the application's own loop rather than in a modal one: Tab and
// Shift+Tab move the focus along the tab stops in template order; the arrow keys
// move it among the controls of one group while a push button has it; Space
// presses the focused button (the button does that itself); Enter presses the
// focused push button, or else gives the OK command; Esc gives the Cancel
// command.
class DialogKeyboard final {
public:
    enum class Command { None, Ok, Cancel };

    struct Outcome {
        bool handled = false;
        Command command = Command::None;
    };

    explicit DialogKeyboard(QWidget& dialog) noexcept : dialog_(dialog) {}

    // Controls in template order; the first one always starts a group.
    void addControl(QWidget& control, bool startsGroup);

    // A key press for one of the dialog's widgets: whether it was handled, and
    // the command it gives.
    [[nodiscard]] Outcome handle(QObject* receiver, QEvent* event);

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
