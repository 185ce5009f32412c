#pragma once

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>

#include <functional>
#include <utility>

// Acts on each modal dialog or message box once it has been shown and its own
// loop has started: the action runs from that loop, so it can look at the
// window, grab it and close it.
class ModalWatcher final : public QObject {
public:
    using Action = std::function<void(QDialog&)>;

    explicit ModalWatcher(Action action) : action_(std::move(action)) { qApp->installEventFilter(this); }
    ~ModalWatcher() override { qApp->removeEventFilter(this); }

    [[nodiscard]] int shown() const noexcept { return shown_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (event->type() == QEvent::Show && dialog != nullptr && dialog->isWindow()) {
            ++shown_;
            QMetaObject::invokeMethod(
                this, [this, target = QPointer<QDialog>(dialog)] {
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
