#pragma once

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMenu>
#include <QPointer>

#include <functional>
#include <utility>

// Acts on each window of one kind once it has been shown and its own loop has
// started: the action runs from that loop, so it can look at the window, grab
// it and close it.
template <typename Window>
class ShownWindowWatcher final : public QObject {
public:
    using Action = std::function<void(Window&)>;

    explicit ShownWindowWatcher(Action action) : action_(std::move(action)) { qApp->installEventFilter(this); }
    ~ShownWindowWatcher() override { qApp->removeEventFilter(this); }

    [[nodiscard]] int shown() const noexcept { return shown_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<Window*>(watched);
        if (event->type() == QEvent::Show && window != nullptr && window->isWindow()) {
            ++shown_;
            QMetaObject::invokeMethod(
                this, [this, target = QPointer<Window>(window)] {
                    if (target)
                        action_(*target);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    Action action_;
    int shown_ = 0;
};

// Each modal dialog or message box.
using ModalWatcher = ShownWindowWatcher<QDialog>;
// Each popup menu.
using MenuWatcher = ShownWindowWatcher<QMenu>;
